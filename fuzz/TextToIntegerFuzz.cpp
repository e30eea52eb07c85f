// Accepted integers lie in range and are the decimal value rounded to the nearest, ties to
// even; plain decimals within range are never rejected.
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "AsciiTwin.h"
#include "runtime/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = velmarith::TextToInteger(text);
    const auto plain = velmarith::fuzzing::PlainDecimal(text);
    if (value && !plain) std::abort();  // accepted something outside the grammar
    if (!plain) return 0;
    const long double exact = std::strtold(plain->c_str(), nullptr);
    if (!value) {
        // Rejected: only when the value rounds outside the 16-bit range.
        if (std::isfinite(exact) && exact > -32768.5L && exact < 32767.5L) std::abort();
        return 0;
    }
    const long double difference = exact - static_cast<long double>(*value);
    if (std::fabs(difference) > 0.5L) std::abort();
    if (std::fabs(difference) == 0.5L && *value % 2 != 0 && plain->size() < 18) std::abort();
    return 0;
}
