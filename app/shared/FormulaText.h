#pragma once

#include <string>

#include "runtime/NumberText.h"

namespace velmarith::tool {

// An operand after the first one in a written-out formula: a negative one in parentheses,
// so that "(-100 - (-130))" reads as arithmetic.
inline std::string Operand(const std::string& text) {
    return text.starts_with('-') ? "(" + text + ")" : text;
}

// A temperature in °C as a formula shows it: whole degrees as they are, others at 7 digits.
inline std::string CelsiusOperand(double celsius) {
    return celsius == static_cast<double>(static_cast<int>(celsius))
               ? std::to_string(static_cast<int>(celsius))
               : DoubleToShortText(celsius);
}

}  // namespace velmarith::tool
