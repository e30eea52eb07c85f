#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engineering/Inputs.h"

namespace velmarith::tool {

// A request given as one flat JSON object of its inputs by key ({"material": "0",
// "temperature": "150", …}), each a string or a number; an empty string is not given. A
// member that is true, false or null, or names no input, is left out and named.
struct RequestFromJson {
    engineering::RequestText request;
    std::vector<std::string> unknown;  // keys that name no input, or values of no use
    bool malformed = false;            // not one flat object: nothing is taken
};

RequestFromJson ReadRequestJson(std::string_view text);

}  // namespace velmarith::tool
