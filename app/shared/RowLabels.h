#pragma once

#include <iterator>
#include <optional>
#include <string_view>

namespace velmarith::tool {

// The columns of a line list that name a row rather than give an input: its line number and
// what it is. Each has an English and a Chinese name; what is written back goes by the English.
enum class RowLabel { Line, Description };
inline constexpr std::string_view kRowLabelNames[][2] = {{"line", "管线号"},
                                                         {"description", "说明"}};
inline constexpr std::size_t kRowLabelCount = std::size(kRowLabelNames);

// Which label a header's name is, if any.
inline std::optional<RowLabel> RowLabelNamed(std::string_view name) {
    for (std::size_t i = 0; i < kRowLabelCount; ++i) {
        if (name == kRowLabelNames[i][0] || name == kRowLabelNames[i][1]) {
            return static_cast<RowLabel>(i);
        }
    }
    return std::nullopt;
}

inline std::string_view RowLabelName(RowLabel label) {
    return kRowLabelNames[static_cast<std::size_t>(label)][0];
}

}  // namespace velmarith::tool
