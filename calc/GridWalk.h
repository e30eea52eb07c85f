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

// What the lookup gives between two points (the interpolated double) and on one (the element).
// Curves ask for thousands of values and print none: they go without the text.
CoefficientHit BetweenPoints(std::int16_t index, double value, bool withText = true);
CoefficientHit AtPoint(std::int16_t index, const TableElement& element, bool withText = true);

// One point of a material's table: a temperature (°C) and the mean coefficient there, of the
// kind it was stored with (an element printed as stored is printed by its kind).
struct TablePoint {
    double temperature = 0;
    TableElement value{0.0};
};

// The one lookup of every material, the window's eight and the user's: `count` points of
// strictly rising temperature, read by temperatureAt(i) and valueAt(i) (a TableElement), the
// first of them at index `first` (the window's grid index; 0 for a user's table). On a point
// the element as stored; between two the value interpolated in double,
// ((T - g0) * (a1 - a0)) / (g1 - g0) + a0, rounded to single once and printed as a single.
// Nothing outside the first to the last point. The points are read where they are kept: a
// press of the window copies nothing.
template <typename TemperatureAt, typename ValueAt>
std::optional<CoefficientHit> FindCoefficientAmong(std::size_t count, int first, double t,
                                                   TemperatureAt temperatureAt, ValueAt valueAt,
                                                   bool withText = true) {
    // Every point is visited; at most one matches because the temperatures rise strictly.
    for (std::size_t i = 0; i < count; ++i) {
        const auto index = static_cast<std::int16_t>(first + static_cast<int>(i));
        const double g0 = temperatureAt(i);
        if (i + 1 < count && g0 < t && t < temperatureAt(i + 1)) {
            const double value = Interpolate(t, g0, temperatureAt(i + 1), valueAt(i).AsDouble(),
                                             valueAt(i + 1).AsDouble());
            return BetweenPoints(index, value, withText);
        }
        if (t == g0) return AtPoint(index, valueAt(i), withText);
    }
    return std::nullopt;
}

// The same over a table of points.
std::optional<CoefficientHit> FindCoefficientAmong(std::span<const TablePoint> points, int first,
                                                   double temperature, bool withText = true);

// The window's lookup in its own tables, through the one above: the material's grid indices
// First..Last. A whole temperature gives the window's answer; a fractional one (degrees
// Fahrenheit converted) the same formula in the same order.
std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              double temperature);

}  // namespace velmarith
