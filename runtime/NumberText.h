#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmarith {

// Conversions between the text of a prompt answer or a printed line and the numbers the
// window keeps. A conversion that fails gives std::nullopt; none of them throws.

// A decimal number, rounded to the nearest integer with ties to even, within -32768..32767.
std::optional<std::int16_t> TextToInteger(std::string_view text);

// A decimal number rounded to the nearest single; beyond the single range it does not convert.
std::optional<float> TextToSingle(std::string_view text);

// A decimal number as the nearest double, for the figures beyond the window (fractional
// degrees Fahrenheit); std::nullopt for text outside the grammar or beyond the double range.
std::optional<double> TextToDouble(std::string_view text);

// A double result rounded to single as storing it in a single field does; std::nullopt when
// the rounded value would lie beyond the single range.
std::optional<float> RoundToSingle(double value);

std::string IntegerToText(std::int16_t value);

// At most 7 significant digits without trailing zeros; "-" before negatives, never "-0".
std::string SingleToText(float value);

// At most 15 significant digits without trailing zeros.
std::string DoubleToText(double value);

// At most 7 significant digits without trailing zeros, rounded from the double itself (a
// converted temperature such as 315.5556 °C): the rule of every figure beyond the window's
// own lines. Plain for magnitudes from 10^-6 to 10^15 (29500000, 0.000052), "1E-07" beyond.
std::string DoubleToShortText(double value);

// The fewest significant digits that read back (TextToDouble) as the same double, for text
// that is read again, such as a file written for later.
std::string DoubleToExactText(double value);

}  // namespace velmarith
