#pragma once

#include <string>
#include <variant>
#include <vector>

#include "engineering/UserMaterial.h"

namespace velmarith::tool {

// The materials file at this path read as ReadMaterialsText reads its bytes. The string, on
// failure, holds one line per fault, each "velmarith-calc: FILE 第N行: reason".
std::variant<std::vector<engineering::UserMaterial>, std::string> LoadMaterialsFile(
    const std::string& path);

}  // namespace velmarith::tool
