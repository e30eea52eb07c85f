#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "runtime/CharConv.h"
#include "runtime/NumberText.h"

namespace velmarith {
namespace {

template <typename Number>
std::string GeneralText(Number value, int significantDigits) {
    std::array<char, 64> buffer{};
    const auto result = charconv::Format(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::general, significantDigits);
    std::string text(buffer.data(), result.ptr);
    // "%g" style: digits in plain notation while the decimal exponent lies in -5 < e < digits,
    // otherwise "1.5E+07" / "1E-05" with the sign and at least two exponent digits.
    if (const auto e = text.find('e'); e != std::string::npos) text[e] = 'E';
    return text;
}

}  // namespace

std::string IntegerToText(std::int16_t value) {
    std::array<char, 8> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

std::string SingleToText(float value) {
    if (value == 0.0f) return "0";  // also for -0
    return GeneralText(value, 7);
}

std::string DoubleToText(double value) {
    if (value == 0.0) return "0";
    return GeneralText(value, 15);
}

std::string DoubleToShortText(double value) {
    if (value == 0.0) return "0";
    std::string text = GeneralText(value, 7);
    const auto e = text.find('E');
    // An ordinary magnitude is written out: 29500000, 0.000052; the exponent only beyond.
    const double magnitude = std::fabs(value);
    if (e == std::string::npos || magnitude < 1e-6 || magnitude >= 1e15) return text;
    const int exponent = std::stoi(text.substr(e + 1));
    const bool negative = text.starts_with('-');
    std::string digits;
    for (const char c : text.substr(0, e)) {
        if (c >= '0' && c <= '9') digits += c;
    }
    std::string plain;
    if (exponent >= 0) {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() < whole) digits.append(whole - digits.size(), '0');
        plain = digits.substr(0, whole);
        if (digits.size() > whole) plain += "." + digits.substr(whole);
    } else {
        plain = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return (negative ? "-" : "") + plain;
}

std::string DoubleToExactText(double value) {
    if (value == 0.0) return "0";
    int digits = 1;
    while (digits < 17 && TextToDouble(GeneralText(value, digits)) != value) ++digits;
    // Plain notation where it stays short ("20", "0.000012"); the exponent form beyond.
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    if (exponent >= -6 && exponent < 16) {
        std::array<char, 64> buffer{};
        const int decimals = std::max(0, digits - 1 - exponent);
        const auto result = charconv::Format(buffer.data(), buffer.data() + buffer.size(), value,
                                             std::chars_format::fixed, decimals);
        std::string text(buffer.data(), result.ptr);
        if (TextToDouble(text) == value) return text;
    }
    return GeneralText(value, digits);
}

}  // namespace velmarith
