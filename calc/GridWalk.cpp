#include "calc/GridWalk.h"

#include <array>

#include "runtime/NumberText.h"

namespace velmarith {

std::optional<CoefficientHit> FindCoefficientAmong(std::span<const TablePoint> points, int first,
                                                   double temperature) {
    const double t = temperature;
    // Every point is visited; at most one matches because the temperatures rise strictly.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto index = static_cast<std::int16_t>(first + static_cast<int>(i));
        const double g0 = points[i].temperature;
        if (i + 1 < points.size() && g0 < t && t < points[i + 1].temperature) {
            const double value =
                Interpolate(t, g0, points[i + 1].temperature, points[i].value.AsDouble(),
                            points[i + 1].value.AsDouble());
            const auto coefficient = static_cast<float>(value);
            return CoefficientHit{index, false, value, coefficient, SingleToText(coefficient)};
        }
        if (t == g0) {
            const double value = points[i].value.AsDouble();
            return CoefficientHit{index, true, value, static_cast<float>(value),
                                  points[i].value.ToText()};
        }
    }
    return std::nullopt;
}

std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              double temperature) {
    const MaterialLimits& limits = MaterialLimitsTable[material];
    const CoefficientRow& row = tables.CoefficientTable[material];
    // The window's fields as they are now, as points: at most the grid's 13, on the stack.
    std::array<TablePoint, kGridSize> points;
    std::size_t count = 0;
    for (int i = limits.First; i <= limits.Last; ++i) {
        const auto at = static_cast<std::size_t>(i);
        points[count++] = {static_cast<double>(tables.TemperatureGrid[at]), row[at]};
    }
    return FindCoefficientAmong(std::span(points.data(), count), limits.First, temperature);
}

}  // namespace velmarith
