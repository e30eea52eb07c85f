// Accepted singles are finite and the nearest single to the decimal value, as the C library
// reads the same text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "AsciiTwin.h"
#include "runtime/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto value = velmarith::TextToSingle(text);
    const auto plain = velmarith::fuzzing::PlainDecimal(text);
    if (value && !plain) std::abort();
    if (!plain) return 0;
    const float expected = std::strtof(plain->c_str(), nullptr);
    if (!value) {
        if (std::isfinite(expected)) std::abort();  // a representable value was rejected
        return 0;
    }
    if (!std::isfinite(*value)) std::abort();
    if (*value != expected) std::abort();
    return 0;
}
