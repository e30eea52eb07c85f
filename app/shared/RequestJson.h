#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engineering/Inputs.h"

namespace velmarith::tool {

// A request given as one JSON object of its inputs by key ({"material": "0", "temperature":
// "150", …}), each a string or a number; an empty string is not given.
struct RequestFromJson {
    engineering::RequestText request;
    std::vector<std::string> unknown;  // keys that name no input, or values of no use
    bool malformed = false;            // not a JSON object at all
};

RequestFromJson ReadRequestJson(std::string_view text);

}  // namespace velmarith::tool
