#pragma once

#include <charconv>
#include <system_error>

#if defined(__EMSCRIPTEN__)
#include <cerrno>
#include <cmath>
#include <cstdlib>
#endif

namespace velmarith::charconv {

// std::from_chars and std::to_chars for floating point, where the standard library has them.
// Emscripten's libc++ (3.1.6) has neither. There the C library's strtod and strtof read text
// that the decimal grammar has already checked, and {fmt} writes: "{:.Ng}" and "{:.Nf}" are
// printf's "%.*g" and "%.*f", which the standard defines to_chars by, without the C library's
// printf, whose long double arithmetic WebAssembly only has in software.

template <typename Number>
std::from_chars_result Parse(const char* first, const char* last, Number& value) {
#if defined(__EMSCRIPTEN__)
    char buffer[512];
    const auto size = static_cast<std::size_t>(last - first);
    if (size >= sizeof buffer) return {first, std::errc::invalid_argument};
    for (std::size_t i = 0; i < size; ++i) buffer[i] = first[i];
    buffer[size] = '\0';
    char* end = nullptr;
    errno = 0;
    if constexpr (sizeof(Number) == sizeof(float)) {
        value = std::strtof(buffer, &end);
    } else {
        value = std::strtod(buffer, &end);
    }
    const char* stop = first + (end - buffer);
    if (end == buffer) return {first, std::errc::invalid_argument};
    // The C library reports a subnormal result as a range error too; from_chars only one
    // that overflows or rounds to zero.
    const bool outOfRange = errno == ERANGE && (value == 0 || !std::isfinite(value));
    return {stop, outOfRange ? std::errc::result_out_of_range : std::errc{}};
#else
    return std::from_chars(first, last, value);
#endif
}

#if defined(__EMSCRIPTEN__)
// In CharConv.cpp, compiled once at full speed for the window's core and the workbench alike.
std::to_chars_result Format(char* first, char* last, double value, std::chars_format format,
                            int precision);
#else
template <typename Number>
std::to_chars_result Format(char* first, char* last, Number value, std::chars_format format,
                            int precision) {
    return std::to_chars(first, last, value, format, precision);
}
#endif

}  // namespace velmarith::charconv
