#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "runtime/CharConv.h"
#include "runtime/DecimalText.h"
#include "runtime/NumberText.h"

namespace velmarith {
namespace {

// Where the decimal text lies against the half between two integers that its double lands
// on exactly: the double may have rounded a long text such as "20.50000000000000001" onto
// the tie, and only the digits can tell.
enum class AgainstHalf { Below, At, Above };

AgainstHalf CompareFractionWithHalf(const DecimalText& decimal) {
    // Index in decimal.digits of the first digit after the decimal point.
    const std::int64_t tenths = decimal.exponent;
    const auto size = static_cast<std::int64_t>(decimal.digits.size());
    const char tenthsDigit = (tenths >= 0 && tenths < size) ? decimal.digits[tenths] : '0';
    AgainstHalf result = AgainstHalf::At;
    if (tenthsDigit < '5') {
        result = AgainstHalf::Below;
    } else if (tenthsDigit > '5' || size > tenths + 1) {
        result = AgainstHalf::Above;
    }
    return result;
}

// Plain text, as a batch's cells mostly are: an optional minus, at most `most` digits, and
// when `point` a decimal point with at most `most` digits after it. Such text needs none of
// the general scan's rules and reads the same without it.
bool Digits(std::string_view text, std::size_t most) {
    return !text.empty() && text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool Plain(std::string_view text, std::size_t most, bool point) {
    if (text.starts_with('-')) text.remove_prefix(1);
    const auto at = point ? text.find('.') : std::string_view::npos;
    if (at == std::string_view::npos) return Digits(text, most);
    return Digits(text.substr(0, at), most) && Digits(text.substr(at + 1), most);
}

}  // namespace

std::optional<std::int16_t> TextToInteger(std::string_view text) {
    if (Plain(text, 4, false)) {
        int value = 0;
        for (const char c : text) {
            if (c != '-') value = value * 10 + (c - '0');
        }
        return static_cast<std::int16_t>(text.starts_with('-') ? -value : value);
    }
    const auto decimal = ScanDecimal(text);
    if (!decimal) return std::nullopt;
    // Below 0.1 the value rounds to 0, however many digits or zeros the text has.
    if (decimal->digits.empty() || decimal->exponent < 0) return std::int16_t{0};

    double value = 0;
    const auto& ascii = decimal->ascii;
    const auto [end, ec] = charconv::Parse(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec != std::errc{} || end != ascii.data() + ascii.size()) return std::nullopt;
    if (std::fabs(value) > 40000.0) return std::nullopt;

    const double magnitude = std::fabs(value);
    double rounded = std::floor(magnitude);
    if (magnitude - rounded == 0.5) {
        switch (CompareFractionWithHalf(*decimal)) {
            case AgainstHalf::Below:
                break;
            case AgainstHalf::Above:
                rounded += 1;
                break;
            case AgainstHalf::At:
                if (std::fmod(rounded, 2.0) != 0) rounded += 1;
                break;
        }
    } else if (magnitude - rounded > 0.5) {
        rounded += 1;
    }
    const double result = decimal->negative ? -rounded : rounded;
    if (result < std::numeric_limits<std::int16_t>::min() ||
        result > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(result);
}

std::optional<float> TextToSingle(std::string_view text) {
    if (Plain(text, 9, true)) {
        float value = 0;
        charconv::Parse(text.data(), text.data() + text.size(), value);
        return value;
    }
    const auto decimal = ScanDecimal(text);
    if (!decimal) return std::nullopt;

    float value = 0;
    const auto& ascii = decimal->ascii;
    const auto [end, ec] = charconv::Parse(ascii.data(), ascii.data() + ascii.size(), value);
    if (end != ascii.data() + ascii.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Too small for a single rounds to zero; too large does not convert.
        if (decimal->exponent < 0) return decimal->negative ? -0.0f : 0.0f;
        return std::nullopt;
    }
    if (ec != std::errc{} || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<double> TextToDouble(std::string_view text) {
    const auto decimal = ScanDecimal(text);
    if (!decimal) return std::nullopt;
    double value = 0;
    const auto& ascii = decimal->ascii;
    const auto [end, ec] = charconv::Parse(ascii.data(), ascii.data() + ascii.size(), value);
    if (end != ascii.data() + ascii.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range && decimal->exponent < 0) return 0.0;
    if (ec != std::errc{} || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<float> RoundToSingle(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // Halfway between the largest single and the next power of two: from here on the value
    // rounds to infinity.
    constexpr double kOverflowEdge = 0x1.ffffffp+127;
    if (std::fabs(value) >= kOverflowEdge) return std::nullopt;
    return static_cast<float>(value);
}

}  // namespace velmarith
