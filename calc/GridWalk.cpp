#include "calc/GridWalk.h"

#include "runtime/NumberText.h"

namespace velmarith {

CoefficientHit BetweenPoints(int index, double value) {
    const auto coefficient = static_cast<float>(value);
    return CoefficientHit{static_cast<std::int16_t>(index), false, value, coefficient,
                          SingleToText(coefficient)};
}

std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              std::int16_t temperature) {
    return FindCoefficientAt(tables, material, temperature);
}

std::optional<CoefficientHit> FindCoefficientAt(const MaterialTables& tables, int material,
                                                double temperature) {
    const MaterialLimits& limits = MaterialLimitsTable[material];
    const CoefficientRow& row = tables.CoefficientTable[material];
    const auto& grid = tables.TemperatureGrid;
    const double t = temperature;
    // Every index is visited; at most one matches because the grid rises strictly.
    for (int i = limits.First; i <= limits.Last; ++i) {
        const int g0 = grid[i];
        if (i < limits.Last && g0 < t && t < grid[i + 1]) {
            return BetweenPoints(
                i, Interpolate(t, g0, grid[i + 1], row[i].AsDouble(), row[i + 1].AsDouble()));
        }
        if (t == g0) {
            const double value = row[i].AsDouble();
            return CoefficientHit{static_cast<std::int16_t>(i), true, value,
                                  static_cast<float>(value), row[i].ToText()};
        }
    }
    return std::nullopt;
}

}  // namespace velmarith
