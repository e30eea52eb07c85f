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
    int exponent = 0;  // of the rounded value, which may have carried into the next decade
    std::from_chars(text.data() + e + 1 + (text[e + 1] == '+'), text.data() + text.size(),
                    exponent);
    std::string digits;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] >= '0' && text[i] <= '9') digits += text[i];
    }
    std::string plain = text.starts_with('-') ? "-" : "";
    if (exponent < 0) {
        plain.append("0.").append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;  // more than 7: 'E' form
        digits.resize(std::max(whole, digits.size()), '0');
        plain.append(digits, 0, whole);
        if (digits.size() > whole) plain.append(".").append(digits, whole);
    }
    return plain;
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
