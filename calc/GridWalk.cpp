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

std::optional<TablePlace> WalkGrid(const MaterialTables& tables, int material, double temperature) {
    const MaterialLimits& limits = MaterialLimitsTable[material];
    const CoefficientRow& row = tables.CoefficientTable[material];
    const auto& grid = tables.TemperatureGrid;
    const double t = temperature;
    // Every index is visited; at most one matches because the grid rises strictly.
    for (int i = limits.First; i <= limits.Last; ++i) {
        const int g0 = grid[i];
        const auto index = static_cast<std::int16_t>(i);
        if (i < limits.Last && g0 < t && t < grid[i + 1]) {
            return TablePlace{
                index, false,
                Interpolate(t, g0, grid[i + 1], row[i].AsDouble(), row[i + 1].AsDouble())};
        }
        if (t == g0) return TablePlace{index, true, row[i].AsDouble()};
    }
    return std::nullopt;
}

std::optional<CoefficientHit> FindCoefficientAt(const MaterialTables& tables, int material,
                                                double temperature) {
    const auto place = WalkGrid(tables, material, temperature);
    if (!place) return std::nullopt;
    if (!place->exact) return BetweenPoints(place->index, place->value);
    const TableElement& element =
        tables.CoefficientTable[material][static_cast<std::size_t>(place->index)];
    return CoefficientHit{place->index, true, place->value, static_cast<float>(place->value),
                          element.ToText()};
}

}  // namespace velmarith
