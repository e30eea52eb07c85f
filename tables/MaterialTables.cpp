#include "tables/MaterialTables.h"

#include <cstddef>
#include <utility>

namespace velmarith {
namespace {

using I = std::int16_t;  // marks the elements that are stored as integers

// Coefficients in 1e-6 mm/mm·°C; element i belongs to TemperatureGrid[i].
const std::array<CoefficientRow, kMaterialCount> kRows = {{
    {I{9}, 9.65, 10.1, 10.9, 11.5, 12.2, 12.9, 13.6, 14.2, 14.6, 14.9},
    {8.45, 9.1, 9.6, 10.3, 10.9, 11.4, 11.9, 12.4, 12.9, 13.2, 13.4},
    {14.7, 15.2, 15.8, 16.4, 16.8, 17.2, 17.6, I{18}, 18.4, 18.7, 18.9, 19.3},
    {7.75, 8.25, 8.75, 9.45, 9.48, 10.4, 10.93, 11.4, 11.8, 12.1, 12.3},
    {11.4, 12.1, 12.7, 13.4, 14.0, 14.5, 15.0, 15.5, 15.9, 16.2, 16.5},
    {17.8, 19.2, 20.3, 22.1, 23.4, 24.4, 25.4},
    // Grey cast iron has no data below 100 °C; the zeros only keep the row on the grid.
    {I{0}, I{0}, I{0}, I{0}, 10.4, 11.0, 11.6, 12.1, 12.7},
    {9.99, 11.52, 12.51, 13.43, 14.16, 14.74, 15.36, 15.93, 16.6, 17.18, 17.76},
}};

constexpr std::array<std::int16_t, kGridSize> kGrid = {-200, -130, -75, 20,  100, 200, 300,
                                                       400,  500,  600, 700, 800, 900};

}  // namespace

const std::array<std::string_view, kMaterialCount> MaterialListTexts = {
    "碳钢和低铬钼钢", "中铬钢（Cr5Mo至Cr9Mo）",
    "奥氏体钢",       "铬钢Cr12、Cr15、Cr17",
    "Cr25Ni20",       "铝",
    "灰铸铁",         "蒙乃尔合金Ni67Cu30",
};

const std::array<MaterialLimits, kMaterialCount> MaterialLimitsTable = {{
    {-200, 700, 0, 10},
    {-200, 700, 0, 10},
    {-200, 800, 0, 11},
    {-200, 700, 0, 10},
    {-200, 700, 0, 10},
    {-200, 300, 0, 6},
    {100, 500, 4, 8},
    {-200, 700, 0, 10},
}};

void BuildMaterialTables(MaterialTables& tables) {
    for (std::size_t k = 0; k < kRows.size(); ++k) {
        CoefficientRow row = kRows[k];  // complete before it replaces the field
        tables.CoefficientTable[k] = std::move(row);
    }
    tables.TemperatureGrid = kGrid;
}

}  // namespace velmarith
