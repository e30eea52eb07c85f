#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "tables/MaterialTables.h"

namespace velmarith {

// The coefficient a lookup finds for one material and temperature.
struct CoefficientHit {
    std::int16_t gridIndex;  // the index whose line was printed: g0 = TemperatureGrid[gridIndex]
    bool exact;              // T is a point: the element is printed as stored
    double value;            // the interpolated or stored value before rounding to single
    float coefficient;       // what the window stores in its single field
    std::string valueText;   // the value as the coefficient line prints it
};

// The window's interpolation between the points (g0, a0) and (g1, a1), in this order and in
// double; every table, the user's too, is read through it.
constexpr double Interpolate(double t, double g0, double g1, double a0, double a1) {
    return ((t - g0) * (a1 - a0)) / (g1 - g0) + a0;
}

// One point of a material's table: a temperature (°C) and the mean coefficient there, of the
// kind it was stored with (an element printed as stored is printed by its kind).
struct TablePoint {
    double temperature = 0;
    TableElement value{0.0};
};

// The one lookup of every material, the window's eight and the user's: points of strictly
// rising temperature, the first of them at index `first` (the window's grid index; 0 for a
// user's table). On a point the element as stored; between two the value interpolated in
// double, ((T - g0) * (a1 - a0)) / (g1 - g0) + a0, rounded to single once and printed as a
// single. Nothing outside the first to the last point.
std::optional<CoefficientHit> FindCoefficientAmong(std::span<const TablePoint> points, int first,
                                                   double temperature);

// The window's lookup in its own tables, through the one above: the material's grid indices
// First..Last. A whole temperature gives the window's answer; a fractional one (degrees
// Fahrenheit converted) the same formula in the same order.
std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              double temperature);

}  // namespace velmarith
