#include "calc/GridWalk.h"

#include "runtime/NumberText.h"

namespace velmarith {

CoefficientHit BetweenPoints(std::int16_t index, double value, bool withText) {
    const auto coefficient = static_cast<float>(value);
    return CoefficientHit{index, false, value, coefficient,
                          withText ? SingleToText(coefficient) : std::string()};
}

CoefficientHit AtPoint(std::int16_t index, const TableElement& element, bool withText) {
    const double value = element.AsDouble();
    return CoefficientHit{index, true, value, static_cast<float>(value),
                          withText ? element.ToText() : std::string()};
}

std::optional<CoefficientHit> FindCoefficientAmong(std::span<const TablePoint> points, int first,
                                                   double temperature, bool withText) {
    return FindCoefficientAmong(
        points.size(), first, temperature, [&](std::size_t i) { return points[i].temperature; },
        [&](std::size_t i) -> const TableElement& { return points[i].value; }, withText);
}

std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              double temperature) {
    const MaterialLimits& limits = MaterialLimitsTable[material];
    const CoefficientRow& row = tables.CoefficientTable[material];
    const auto first = static_cast<std::size_t>(limits.First);
    return FindCoefficientAmong(
        static_cast<std::size_t>(limits.Last) - first + 1, limits.First, temperature,
        [&](std::size_t i) { return static_cast<double>(tables.TemperatureGrid[first + i]); },
        [&](std::size_t i) -> const TableElement& { return row[first + i]; });
}

}  // namespace velmarith
