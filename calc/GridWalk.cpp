#include "calc/GridWalk.h"

#include "runtime/NumberText.h"

namespace velmarith {

CoefficientHit BetweenPoints(std::int16_t index, double value) {
    const auto coefficient = static_cast<float>(value);
    return CoefficientHit{index, false, value, coefficient, SingleToText(coefficient)};
}

CoefficientHit AtPoint(std::int16_t index, const TableElement& element) {
    const double value = element.AsDouble();
    return CoefficientHit{index, true, value, static_cast<float>(value), element.ToText()};
}

std::optional<CoefficientHit> FindCoefficientAmong(std::span<const TablePoint> points, int first,
                                                   double temperature) {
    return FindCoefficientAmong(
        points.size(), first, temperature, [&](std::size_t i) { return points[i].temperature; },
        [&](std::size_t i) -> const TableElement& { return points[i].value; });
}

std::optional<CoefficientHit> FindCoefficient(const MaterialTables& tables, int material,
                                              double temperature) {
    const MaterialLimits& limits = MaterialLimitsTable[material];
    const CoefficientRow& row = tables.CoefficientTable[material];
    const auto first = static_cast<std::size_t>(limits.First);
    return FindCoefficientAmong(
        static_cast<std::size_t>(limits.Last - limits.First + 1), limits.First, temperature,
        [&](std::size_t i) { return static_cast<double>(tables.TemperatureGrid[first + i]); },
        [&](std::size_t i) -> const TableElement& { return row[first + i]; });
}

}  // namespace velmarith
