#pragma once

#include "runtime/NumberText.h"

namespace velmarith::engineering {

// A figure as it is printed: to 7 significant digits. A verdict or a count taken from printed
// figures agrees with them: "S = 207 MPa, S/SA = 1" is sufficient, and ⌈24.28909 ÷ 24.28909⌉
// is 1, though the unrounded figures differ in the eighth digit.
inline double AsShown(double value) {
    return TextToDouble(DoubleToShortText(value)).value_or(value);
}

}  // namespace velmarith::engineering
