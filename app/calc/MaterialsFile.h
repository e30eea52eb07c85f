#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engineering/MaterialFile.h"

namespace velmarith::tool {

// A materials file's bytes (UTF-8 with or without a byte-order mark, or GB18030, as the
// batch reads them) read into materials, or every fault it has.
std::variant<std::vector<engineering::UserMaterial>, std::vector<engineering::MaterialFault>>
ReadMaterialsText(std::string_view bytes);

// The faults as the tool reports them, one a line: "FILE 第N行: reason" ("FILE: reason" for
// the file as a whole).
std::vector<std::string> FaultLines(std::string_view fileName,
                                    const std::vector<engineering::MaterialFault>& faults);

// The file at this path read as above. The string, on failure, holds one line per fault,
// each "velmarith-calc: FILE 第N行: reason".
std::variant<std::vector<engineering::UserMaterial>, std::string> LoadMaterialsFile(
    const std::string& path);

}  // namespace velmarith::tool
