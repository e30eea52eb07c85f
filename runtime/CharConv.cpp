#include "runtime/CharConv.h"

#if defined(__EMSCRIPTEN__)
#include <fmt/compile.h>

namespace velmarith::charconv {

// A float's exact value is a double's too, so floats are written through this one as well.
std::to_chars_result Format(char* first, char* last, double value, std::chars_format format,
                            int precision) {
    const auto room = static_cast<std::size_t>(last - first);
    const auto written =
        format == std::chars_format::fixed
            ? fmt::format_to_n(first, room, FMT_COMPILE("{:.{}f}"), value, precision)
            : fmt::format_to_n(first, room, FMT_COMPILE("{:.{}g}"), value, precision);
    if (written.size > room) return {last, std::errc::value_too_large};
    return {written.out, std::errc{}};
}

}  // namespace velmarith::charconv
#endif
