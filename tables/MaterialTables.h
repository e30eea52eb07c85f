#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tables/TableElement.h"

namespace velmarith {

inline constexpr int kMaterialCount = 8;
inline constexpr int kGridSize = 13;
inline constexpr std::int16_t ReferenceTemperature = 20;

// Element i of a row is the mean coefficient between 20 °C and TemperatureGrid[i].
using CoefficientRow = std::vector<TableElement>;

// The window's nine table fields, in their order: the rows of materials 0 to 7, then the grid.
struct MaterialTables {
    std::array<CoefficientRow, kMaterialCount> CoefficientTable;
    std::array<std::int16_t, kGridSize> TemperatureGrid{};
};

// Fills every row and the grid; run once while the window loads.
void BuildMaterialTables(MaterialTables& tables);

// The entries of the material list, in list order: the position is the material index.
extern const std::array<std::string_view, kMaterialCount> MaterialListTexts;

// Accepted temperatures Low..High (°C, inclusive) and the grid indices First..Last walked.
struct MaterialLimits {
    std::int16_t Low;
    std::int16_t High;
    std::int16_t First;
    std::int16_t Last;
};

extern const std::array<MaterialLimits, kMaterialCount> MaterialLimitsTable;

constexpr bool WithinLimits(const MaterialLimits& limits, int temperature) {
    return temperature >= limits.Low && temperature <= limits.High;
}

// The temperature button's own check, wider than any material's: −200 … 800 °C.
inline constexpr std::int16_t LowestTemperature = -200;
inline constexpr std::int16_t HighestTemperature = 800;
constexpr bool WithinTemperatureBounds(int temperature) {
    return temperature >= LowestTemperature && temperature <= HighestTemperature;
}

constexpr bool IsMaterialIndex(int index) { return index >= 0 && index < kMaterialCount; }

}  // namespace velmarith
