#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmarith::web {

// A JSON string of UTF-8 text.
inline std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

inline std::string QuotedList(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (std::size_t i = 0; i < texts.size(); ++i) out += (i > 0 ? "," : "") + Quoted(texts[i]);
    return out + "]";
}

}  // namespace velmarith::web
