#pragma once

#include <string>
#include <string_view>

namespace velmarith::tool {

// Appends one CSV field, quoted only when it holds a comma, a quote or a line break.
inline void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace velmarith::tool
