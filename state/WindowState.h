#pragma once

#include <cstdint>

#include "tables/MaterialTables.h"

namespace velmarith {

// Everything the window keeps for the whole run, in declaration order. The numbers start at
// 0 and keep their last values; nothing resets them.
struct WindowState {
    MaterialTables Tables;
    float Coefficient = 0;
    std::int16_t MaterialIndex = 0;
    std::int16_t InputTemperature = 0;
    std::int16_t GridIndex = 0;
    float InputLength = 0;
    float Expansion = 0;
};

}  // namespace velmarith
