#pragma once

#include <cstdio>
#include <optional>
#include <string>

namespace velmarith::tool {

struct OneShotOptions {
    std::string material;
    std::string temperature;
    std::string length;
    std::optional<std::string> install;  // not given: 20 °C
    bool rate = false;
    bool finalLength = false;
    bool explain = false;
};

// One calculation. Prints the output button's lines exactly as the window does (through the
// window's own handlers) and, when asked, the explanation, the rate and the final length.
// On an error: a message on err, nothing on out, status 1. When only an optional figure (the
// rate or the final length) does not fit, every other line is printed, that figure's line
// says so, and the status is 1.
int RunOneShot(const OneShotOptions& options, std::FILE* out, std::FILE* err);

}  // namespace velmarith::tool
