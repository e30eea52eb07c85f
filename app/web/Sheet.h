#pragma once

#include <string>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/Request.h"

namespace velmarith::web {

// The coefficient table for the page: the header's cells, then a row of cells a material
// (the user's under a heading of their own), the notes under it, and which row is the chosen
// material's and which of its cells hold the points the request used.
struct SheetTable {
    struct Row {
        enum class Kind { Material, Heading, Columns };
        Kind kind = Kind::Material;  // a material; a group's heading across the table; the
                                     // column headings of the group below
        std::vector<std::string> cells;
    };
    std::vector<std::string> header;
    std::vector<Row> rows;
    std::vector<std::string> notes;
    int row = -1;
    std::vector<int> cells;
};

// A figure of the pipe or the line as the workbench shows it: its element's id, its label, the
// bare number as velmarith-calc prints it (or a verdict's words, not copied), and its unit.
struct SheetFigure {
    std::string id;
    std::string label;
    std::string value;
    std::string unit;
    bool number = true;
};

// The pipe's figures, or one way to take up the movement ("leg", "loop", "bellows"): what the
// workbench shows when that way is chosen, with the notes that go with its figures.
struct SheetDesign {
    std::string choice;  // empty: the pipe's, shown whatever is chosen
    std::string title;
    std::vector<SheetFigure> figures;
    std::vector<std::string> notes;
};

// What the workbench shows for one state of the form: velmarith-calc's figures for the same
// request (with --rate --final --explain), or, while any field is wrong or missing, why not.
struct Sheet {
    std::vector<engineering::RequestFault> faults;
    std::vector<engineering::InputWarning> warnings;  // inputs out of the ordinary
    std::string notice;                               // empty when the figures are shown
    std::string coefficientLine;
    std::string installLine;
    std::string expansionLine;
    // Each as its line has it after its label: value and unit, or why there is none.
    std::string rate;
    std::string finalLength;
    std::string coldExpansion;
    std::string movement;
    std::string alpha;  // the coefficient with its full unit: "α = 11.85 × 10⁻⁶ /°C"
    // The figures alone, as a spreadsheet reads them: rate, finalLength, coldExpansion,
    // movement (empty where there is none).
    std::vector<std::pair<std::string, std::string>> numbers;
    // Where the window's whole degrees changed a typed temperature, by field.
    std::vector<std::pair<engineering::RequestField, std::string>> roundings;
    std::string rateLabel;       // per metre, or per 100 ft
    std::string defaultInstall;  // the installation temperature when none is given
    std::vector<std::string> explain;
    std::vector<std::string> compensation;  // the pipe's lines, as velmarith-calc prints them
    std::vector<SheetDesign> design;        // the same figures, one by one
    bool pipeFault = false;     // a pipe or line field is wrong: the movement's figures only
    std::string sketch;         // SVG: the L-bend and the Π loop with their sizes
    std::string bellowsSketch;  // SVG: the bellows joints between their anchors, the guides
    std::string plot;           // SVG: the material alone until the request is sound
    SheetTable table;
};

// The form's inputs: a field left empty is not given (not yet typed, or its default).
Sheet MakeSheet(const engineering::Catalogue& catalogue, const engineering::RequestText& form);

}  // namespace velmarith::web
