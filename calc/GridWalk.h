#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "tables/MaterialTables.h"

namespace velmarith {

// The coefficient the grid walk finds for one material and temperature.
struct CoefficientHit {
    std::int16_t gridIndex;  // the index whose line was printed: g0 = TemperatureGrid[gridIndex]
    bool exact;              // T is a grid point: the element is printed as stored
    double value;            // the interpolated or stored value before rounding to single
    float coefficient;       // what the window stores in its single field
    std::string valueText;   // the value as the coefficient line prints it
};

// The window's interpolation between the points (g0, a0) and (g1, a1), in this order and in
// double; every table, the user's too, is read through it.
constexpr double Interpolate(double t, double g0, double g1, double a0, double a1) {
    return ((t - g0) * (a1 - a0)) / (g1 - g0) + a0;
}

// Where a temperature falls in a table, before anything is printed: the index of the point
// it is on or after, whether it is on it, and the value (stored or interpolated).
struct TablePlace {
    std::int16_t index;
    bool exact;
    double value;
};

// A hit between two points: the value rounded to single once, printed as a single.
CoefficientHit BetweenPoints(int index, double value);

// The walk alone, without the printed text (for curves that need only the values).
std::optional<TablePlace> WalkGrid(const MaterialTables& tables, int material, double temperature);

// Walks the material's grid indices First..Last. Between two points the coefficient is
// interpolated in double, in the order ((T - g0) * (a1 - a0)) / (g1 - g0) + a0, and rounded
// to single once. Nothing is found when T lies outside the grid points First..Last.
std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              std::int16_t temperature);

// The same walk at a temperature that need not be whole (degrees Fahrenheit converted): the
// same formula in the same order, so that a whole temperature gives the window's answer.
std::optional<CoefficientHit> FindCoefficientAt(const MaterialTables& tables, int material,
                                                double temperature);

}  // namespace velmarith
