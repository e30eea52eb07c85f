#include "runtime/CharConv.h"

#if defined(__EMSCRIPTEN__)
#include <fmt/compile.h>

#include <algorithm>
#include <iterator>

namespace velmarith::charconv {

// A float's exact value is a double's too, so floats are written through this one as well.
std::to_chars_result Format(char* first, char* last, double value, std::chars_format format,
                            int precision) {
    // Written whole into a buffer first: {fmt} appends to its own buffer in blocks, where a
    // bounded output would take it a character at a time.
    fmt::basic_memory_buffer<char, 64> text;
    if (format == std::chars_format::fixed) {
        fmt::format_to(std::back_inserter(text), FMT_COMPILE("{:.{}f}"), value, precision);
    } else {
        fmt::format_to(std::back_inserter(text), FMT_COMPILE("{:.{}g}"), value, precision);
    }
    if (text.size() > static_cast<std::size_t>(last - first)) {
        return {last, std::errc::value_too_large};
    }
    return {std::copy(text.begin(), text.end(), first), std::errc{}};
}

}  // namespace velmarith::charconv
#endif
