#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engineering/MaterialRecords.h"

namespace velmarith::tool {

// 64 materials of 256 points stay far below this.
inline constexpr std::size_t kLargestMaterialsFile = 4 << 20;

// A materials file's bytes (UTF-8 with or without a byte-order mark, or GB18030, as the
// batch reads them) read into materials, or every fault it has.
std::variant<std::vector<engineering::UserMaterial>, std::vector<engineering::MaterialFault>>
ReadMaterialsText(std::string_view bytes);

// The faults as the tool reports them, one a line: "FILE 第N行: reason" ("FILE: reason" for
// the file as a whole).
std::vector<std::string> FaultLines(std::string_view fileName,
                                    const std::vector<engineering::MaterialFault>& faults);

// The materials as a file of the °C form (UTF-8) that reads back to the same materials: the
// numbers with the fewest digits that give the same doubles, names quoted where CSV needs it.
std::string MaterialsCsv(const std::vector<engineering::UserMaterial>& materials);

}  // namespace velmarith::tool
