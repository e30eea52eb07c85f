#include "engineering/Material.h"

#include <algorithm>

#include "runtime/NumberText.h"

namespace velmarith::engineering {

std::string Modulus::Text() const { return DoubleToText(millionPsi) + "×10^6 psi"; }

std::string GradeKey(std::string_view text) {
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xE3 && text.substr(i, 3) == "\u3000") {
            i += 2;
            continue;
        }
        // U+FF01 … U+FF5E: EF BC 81 … EF BD 9E, each the ASCII character 0xFEE0 below it.
        if (c == 0xEF && i + 2 < text.size()) {
            const auto b1 = static_cast<unsigned char>(text[i + 1]);
            const auto b2 = static_cast<unsigned char>(text[i + 2]);
            const unsigned code = 0xF000u | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
            if ((b1 == 0xBC || b1 == 0xBD) && (b2 & 0xC0u) == 0x80u && code >= 0xFF01 &&
                code <= 0xFF5E) {
                c = static_cast<unsigned char>(code - 0xFEE0);
                i += 2;
            }
        }
        if (c == ' ' || c == '\t' || c == '#') continue;
        key += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return key;
}

std::vector<std::string> SplitGrades(std::string_view text) {
    std::vector<std::string> grades;
    while (!text.empty()) {
        const std::size_t semicolon = text.find(';');
        const std::size_t comma = text.find("、");
        const std::size_t end = std::min(semicolon, comma);
        std::string_view grade = text.substr(0, end);
        while (grade.starts_with(' ')) grade.remove_prefix(1);
        while (grade.ends_with(' ')) grade.remove_suffix(1);
        if (!grade.empty()) grades.emplace_back(grade);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + (end == comma ? std::string_view("、").size() : 1));
    }
    return grades;
}

}  // namespace velmarith::engineering
