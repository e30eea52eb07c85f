#pragma once

#include <string>

#include "engineering/Request.h"

namespace velmarith::tool {

// An input as a request understood it, defaults filled in, as its figure is written: whole
// degrees Celsius or the °F typed, the length as the window stores it, a pipe's figure at 7
// significant digits; "" where the request has none (no cold state, no pipe). The material is
// its id, the units "si" or "us".
std::string UnderstoodText(const engineering::Request& request, engineering::RequestField field);

}  // namespace velmarith::tool
