#pragma once

#include <string>
#include <string_view>

namespace velmarith::tool {

// Appends one CSV field, quoted only where a reader would otherwise take it differently: a
// comma, a quote, a line break or a tab in it, or a space at either end.
inline void AppendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n\t") == std::string_view::npos && !field.starts_with(' ') &&
        !field.ends_with(' ')) {
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
