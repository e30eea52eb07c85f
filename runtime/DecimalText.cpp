#include "runtime/DecimalText.h"

#include <algorithm>
#include <cstddef>

namespace velmarith {
namespace {

// Exponents beyond this are far outside every range we convert to; clamping keeps the
// arithmetic below from overflowing on "1e99999999999999999999".
constexpr std::int64_t kExponentClamp = 1'000'000;

// Decodes one UTF-8 code point of the characters we know; anything else gives 0.
// Returns the ASCII twin and advances pos.
char NextAsciiTwin(std::string_view text, std::size_t& pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte < 0x80) {
        ++pos;
        return static_cast<char>(byte);
    }
    if (byte != 0xEF && byte != 0xE3) return 0;
    if (pos + 3 > text.size()) return 0;
    const auto b1 = static_cast<unsigned char>(text[pos + 1]);
    const auto b2 = static_cast<unsigned char>(text[pos + 2]);
    if ((b1 & 0xC0) != 0x80 || (b2 & 0xC0) != 0x80) return 0;
    const char32_t cp = (char32_t{byte & 0x0Fu} << 12) | (char32_t{b1 & 0x3Fu} << 6) | (b2 & 0x3Fu);
    char twin = 0;
    if (cp == U'\u3000') {
        twin = ' ';
    } else if (cp >= U'\uFF10' && cp <= U'\uFF19') {
        twin = static_cast<char>('0' + (cp - U'\uFF10'));
    } else if (cp == U'\uFF0E') {
        twin = '.';
    } else if (cp == U'\uFF0D') {
        twin = '-';
    } else if (cp == U'\uFF0B') {
        twin = '+';
    } else if (cp == U'\uFF45') {
        twin = 'e';
    } else if (cp == U'\uFF25') {
        twin = 'E';
    }
    if (twin != 0) pos += 3;
    return twin;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<std::string> ToAscii(std::string_view text) {
    std::string ascii;
    ascii.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const char c = NextAsciiTwin(text, pos);
        if (c == 0) return std::nullopt;
        ascii.push_back(c);
    }
    const auto first = ascii.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    const auto last = ascii.find_last_not_of(" \t\r\n");
    return ascii.substr(first, last - first + 1);
}

}  // namespace

std::optional<DecimalText> ScanDecimal(std::string_view text) {
    auto ascii = ToAscii(text);
    if (!ascii) return std::nullopt;
    const std::string& s = *ascii;

    DecimalText result;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        result.negative = s[i] == '-';
        ++i;
    }

    std::string mantissa;  // every digit, point removed
    std::int64_t pointAt = -1;
    for (; i < s.size() && (IsDigit(s[i]) || s[i] == '.'); ++i) {
        if (s[i] == '.') {
            if (pointAt >= 0) return std::nullopt;
            pointAt = static_cast<std::int64_t>(mantissa.size());
        } else {
            mantissa.push_back(s[i]);
        }
    }
    if (mantissa.empty()) return std::nullopt;
    if (pointAt < 0) pointAt = static_cast<std::int64_t>(mantissa.size());

    std::int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            negativeExponent = s[i] == '-';
            ++i;
        }
        if (i == s.size()) return std::nullopt;
        for (; i < s.size() && IsDigit(s[i]); ++i) {
            exponent = std::min(exponent * 10 + (s[i] - '0'), kExponentClamp);
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;

    const auto firstNonZero = mantissa.find_first_not_of('0');
    if (firstNonZero != std::string::npos) {
        const auto lastNonZero = mantissa.find_last_not_of('0');
        result.digits = mantissa.substr(firstNonZero, lastNonZero - firstNonZero + 1);
        result.exponent = pointAt - static_cast<std::int64_t>(firstNonZero) + exponent;
    }
    result.ascii = s.substr(s[0] == '+' ? 1 : 0);
    return result;
}

}  // namespace velmarith
