#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmarith::fuzzing {

// An independent reading of the accepted grammar for cross-checks: the text with full-width
// twins replaced and outer space trimmed, if it is a plain decimal number; std::nullopt if not.
inline std::optional<std::string> PlainDecimal(std::string_view text) {
    static const std::pair<std::string_view, char> twins[] = {
        {"０", '0'}, {"１", '1'}, {"２", '2'}, {"３", '3'},     {"４", '4'}, {"５", '5'},
        {"６", '6'}, {"７", '7'}, {"８", '8'}, {"９", '9'},     {"．", '.'}, {"－", '-'},
        {"＋", '+'}, {"ｅ", 'e'}, {"Ｅ", 'E'}, {"\u3000", ' '},
    };
    std::string ascii;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        for (const auto& [wide, narrow] : twins) {
            if (text.substr(i, wide.size()) == wide) {
                ascii += narrow;
                i += wide.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) ascii += text[i++];
    }
    const auto first = ascii.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    ascii = ascii.substr(first, ascii.find_last_not_of(" \t\r\n") - first + 1);
    // sign, digits with at most one point and at least one digit, optional exponent
    std::size_t i = (ascii[0] == '+' || ascii[0] == '-') ? 1 : 0;
    int digits = 0, points = 0;
    for (; i < ascii.size() &&
           (std::isdigit(static_cast<unsigned char>(ascii[i])) || ascii[i] == '.');
         ++i) {
        (ascii[i] == '.' ? points : digits)++;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    if (i < ascii.size() && (ascii[i] == 'e' || ascii[i] == 'E')) {
        ++i;
        if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) ++i;
        const std::size_t start = i;
        while (i < ascii.size() && std::isdigit(static_cast<unsigned char>(ascii[i]))) ++i;
        if (i == start) return std::nullopt;
    }
    if (i != ascii.size()) return std::nullopt;
    return ascii;
}

}  // namespace velmarith::fuzzing
