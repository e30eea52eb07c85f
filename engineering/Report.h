#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engineering/Catalogue.h"

namespace velmarith::engineering {

// One table point: its temperature (°C) and mean coefficient, or a placeholder where no
// lookup can find a value (no element, or one below the material's range).
struct TablePoint {
    double temperature;
    std::optional<double> value;
    std::string text;  // as the table prints it: integers as integers, "-" for a placeholder
};

// A material's row: the eight have one point a grid temperature, the user's their own points
// and a reference temperature.
struct TableRow {
    int id;
    std::string name;
    double low;
    double high;
    std::optional<double> reference;  // the user's materials only
    std::vector<TablePoint> points;
    std::vector<std::string> grades;  // the usual spellings of the grades it covers
};

struct CoefficientTableView {
    std::vector<std::int16_t> grid;
    std::vector<TableRow> rows;  // the eight first, then the user's
};

// Every material, or the one asked for.
CoefficientTableView TableOf(const Catalogue& catalogue, std::optional<int> material);

// The table as text, one material a line with its valid range, the eight's grid as the
// header and a note on units and placeholders; the user's own materials follow, each with
// its reference temperature and points as temperature:coefficient.
std::vector<std::string> TableLines(const CoefficientTableView& table);

}  // namespace velmarith::engineering
