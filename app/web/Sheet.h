#pragma once

#include <string>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/Request.h"
#include "engineering/Units.h"

namespace velmarith::web {

// The workbench's form as typed. An empty installation temperature is the default, an
// empty cold temperature no cold state; an empty temperature or length is not yet typed.
struct SheetInput {
    std::string material;
    std::string temperature;
    std::string length;
    std::string install;
    std::string cold;
    engineering::Units units = engineering::Units::Si;
};

// The coefficient table as velmarith-calc --table prints it, a row of cells a line, with the
// chosen material's row and the table points its warmest temperature was looked up at.
struct SheetTable {
    std::vector<std::vector<std::string>> rows;
    int row = -1;
    std::vector<int> cells;
};

// What the workbench shows for one state of the form: velmarith-calc's figures for the same
// request (with --rate --final --explain), or, while any field is wrong or missing, why not.
struct Sheet {
    std::vector<engineering::RequestFault> faults;
    std::string notice;  // empty when the figures are shown
    std::string coefficientLine;
    std::string installLine;
    std::string expansionLine;
    // Each as its line has it after its label: value and unit, or why there is none.
    std::string rate;
    std::string finalLength;
    std::string coldExpansion;
    std::string movement;
    std::vector<std::string> explain;
    std::string plot;  // SVG: the material alone until the request is sound
    SheetTable table;
};

Sheet MakeSheet(const engineering::Catalogue& catalogue, const SheetInput& input);

}  // namespace velmarith::web
