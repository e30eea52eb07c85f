#pragma once

#include <string>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// One figure of a calculation as a printed report lists it: what it is, its symbol, the
// number as the lines print it, and its unit on its own (empty for a pure number), so that a
// figure never wraps between its digits and its unit.
struct FigureRow {
    std::string quantity;
    std::string symbol;
    std::string value;
    std::string unit;
};

// Every figure of a sound evaluation once, in the order of the working: the coefficient of
// each state (per °C, from the material's reference temperature, as the working uses it), the
// growths, then the pipe's and the line's figures where given. None for a refused request.
std::vector<FigureRow> FigureTable(const engineering::Catalogue& catalogue,
                                   const engineering::Evaluation& evaluation);

// What the figures rest on and where they hold, as the tool's lines say it: the method, the
// modulus's source, the bounds and caveats, how the joints' pre-set was taken. None without
// the pipe.
std::vector<std::string> FigureNotes(const engineering::Evaluation& evaluation);

}  // namespace velmarith::tool
