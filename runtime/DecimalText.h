#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmarith {

// A prompt answer checked against the one number grammar the window accepts:
//   [space] [+|-] digits [. [digits]] | . digits  [(e|E) [+|-] digits] [space]
// Full-width digits, point, signs and e typed through a Chinese input method count as their
// ASCII twins, and the ideographic space as a space.
struct DecimalText {
    // ASCII text ready for std::from_chars: no white space, no leading "+".
    std::string ascii;
    bool negative = false;
    // Significant digits without leading or trailing zeros ("" for zero) and the power of ten
    // of the digit just left of the first one: the value is 0.<digits> x 10^exponent.
    std::string digits;
    std::int64_t exponent = 0;
};

std::optional<DecimalText> ScanDecimal(std::string_view text);

}  // namespace velmarith
