#pragma once

#include <set>
#include <string>
#include <vector>

#include "runtime/Runtime.h"
#include "state/WindowState.h"

namespace velmarith::testing {

// What must hold after any sequence of events, whatever was typed or clicked. Each check
// returns an empty string when it holds, otherwise what went wrong.

// Every printed line is one the window may print: an empty line, a message, a label line,
// a coefficient line or a result line.
std::string CheckLine(const std::string& line);

// The lines one press of the output button printed (the screen may have been cleared in
// between, shown as "<cls>"): a message alone, or a coefficient line for the stored
// temperature, three empty lines and a result line that agrees with Expansion.
std::string CheckOutputPress(const std::vector<std::string>& printed, const WindowState& state,
                             int selectedPosition);

// The enabled buttons follow from the presses so far.
struct ButtonModel {
    bool materialPicked = false;
    bool temperatureAsked = false;
    bool lengthAsked = false;
    std::set<Button> Expected() const;
};

}  // namespace velmarith::testing
