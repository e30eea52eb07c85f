#include "app/shared/TextEncoding.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>

#include <cstdint>
#include <cstdlib>
#else
#include <iconv.h>
#endif

namespace velmarith::tool {
namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

#ifdef _WIN32

struct EncodingConverter::State {
    UINT from;
    UINT to;
};

namespace {

UINT CodePage(TextEncoding encoding) { return encoding == TextEncoding::Utf8 ? CP_UTF8 : 54936; }

}  // namespace

EncodingConverter::EncodingConverter(TextEncoding from, TextEncoding to)
    : state_(new State{CodePage(from), CodePage(to)}) {}

EncodingConverter::~EncodingConverter() = default;

std::optional<std::string> EncodingConverter::Convert(std::string_view text) const {
    if (text.empty() || IsAscii(text)) return std::string(text);
    const int size = static_cast<int>(text.size());
    const int wide =
        MultiByteToWideChar(state_->from, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (wide <= 0) return std::nullopt;
    std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
    MultiByteToWideChar(state_->from, MB_ERR_INVALID_CHARS, text.data(), size, utf16.data(), wide);
    const int bytes =
        WideCharToMultiByte(state_->to, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return std::nullopt;
    std::string result(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(state_->to, 0, utf16.data(), wide, result.data(), bytes, nullptr, nullptr);
    return result;
}

bool IsValidUtf8(std::string_view text) {
    return IsAscii(text) || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                                static_cast<int>(text.size()), nullptr, 0) > 0;
}

#elif defined(__EMSCRIPTEN__)

// In a browser the platform's facility is its TextDecoder, which decodes both and encodes
// only UTF-8. (Emscripten's iconv would carry every CJK table into the page.)
// NOLINTBEGIN
EM_JS(char*, velmarith_decode, (const char* label, const char* bytes, int size, int* decodedSize), {
    try {
        const decoder = new TextDecoder(UTF8ToString(label), {fatal : true, ignoreBOM : true});
        const text = decoder.decode(HEAPU8.subarray(bytes, bytes + size));
        const length = lengthBytesUTF8(text);
        const out = _malloc(length + 1);
        stringToUTF8(text, out, length + 1);
        HEAP32[decodedSize >> 2] = length;
        return out;
    } catch (error) {
        return 0;
    }
});
// NOLINTEND

struct EncodingConverter::State {
    TextEncoding from;
    TextEncoding to;
};

namespace {

// The browser decodes GB18030 by the WHATWG Encoding Standard, glibc's iconv (the tool's) by
// GB18030-2022. They differ on these codes only: here the tool's answer holds.
struct TwoByteCode {
    unsigned char lead, trail;
    const char* utf8;
};
constexpr TwoByteCode kRemapped[] = {
    {0xA3, 0xA0, "\uE5E5"},     {0xFE, 0x51, "\U00020087"}, {0xFE, 0x52, "\U00020089"},
    {0xFE, 0x53, "\U000200CC"}, {0xFE, 0x6C, "\U000215D7"}, {0xFE, 0x76, "\U0002298F"},
    {0xFE, 0x91, "\U000241FE"},
};
// Four-byte codes of characters that moved to two-byte codes in 2022: invalid for iconv.
constexpr std::uint32_t kRetired[][2] = {
    {0x82359037, 0x82359039},
    {0x82359130, 0x82359134},
    {0x84318236, 0x84318239},
    {0x84318330, 0x84318335},
};

std::optional<std::string> Decode(const char* label, std::string_view text) {
    int size = 0;
    char* decoded = velmarith_decode(label, text.data(), static_cast<int>(text.size()), &size);
    if (decoded == nullptr) return std::nullopt;
    std::string result(decoded, static_cast<std::size_t>(size));  // NUL bytes included
    std::free(decoded);
    return result;
}

std::optional<std::string> DecodeGb18030(std::string_view text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    std::string result;
    std::size_t start = 0;  // the part not yet decoded
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = byte(i);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead == 0x80) return std::nullopt;  // the browser reads €, iconv nothing
        if (i + 3 < text.size() && byte(i + 1) >= 0x30 && byte(i + 1) <= 0x39) {
            const std::uint32_t code = static_cast<std::uint32_t>(lead) << 24 |
                                       static_cast<std::uint32_t>(byte(i + 1)) << 16 |
                                       static_cast<std::uint32_t>(byte(i + 2)) << 8 | byte(i + 3);
            for (const auto& range : kRetired) {
                if (code >= range[0] && code <= range[1]) return std::nullopt;
            }
            i += 4;
            continue;
        }
        const TwoByteCode* remapped = nullptr;
        for (const auto& code : kRemapped) {
            if (i + 1 < text.size() && code.lead == lead && code.trail == byte(i + 1)) {
                remapped = &code;
            }
        }
        if (remapped == nullptr) {
            i += 2;
            continue;
        }
        const auto part = Decode("gb18030", text.substr(start, i - start));
        if (!part) return std::nullopt;
        result += *part;
        result += remapped->utf8;
        i += 2;
        start = i;
    }
    const auto rest = Decode("gb18030", text.substr(start));
    if (!rest) return std::nullopt;
    return result + *rest;
}

}  // namespace

EncodingConverter::EncodingConverter(TextEncoding from, TextEncoding to)
    : state_(new State{from, to}) {}

EncodingConverter::~EncodingConverter() = default;

std::optional<std::string> EncodingConverter::Convert(std::string_view text) const {
    if (text.empty() || IsAscii(text)) return std::string(text);
    if (state_->to != TextEncoding::Utf8) return std::nullopt;
    if (state_->from == TextEncoding::Gb18030) return DecodeGb18030(text);
    return Decode("utf-8", text);
}

#else

struct EncodingConverter::State {
    iconv_t handle;
    bool open;
};

namespace {

const char* IconvName(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030";
}

// iconv reports a failure to open as (iconv_t)-1.
bool Opened(iconv_t handle) {
    return handle != reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace

EncodingConverter::EncodingConverter(TextEncoding from, TextEncoding to)
    : state_(new State{iconv_open(IconvName(to), IconvName(from)), false}) {
    state_->open = Opened(state_->handle);
}

EncodingConverter::~EncodingConverter() {
    if (state_->open) iconv_close(state_->handle);
}

std::optional<std::string> EncodingConverter::Convert(std::string_view text) const {
    if (text.empty() || IsAscii(text)) return std::string(text);
    if (!state_->open) return std::nullopt;
    iconv(state_->handle, nullptr, nullptr, nullptr, nullptr);  // a fresh start
    std::string result(text.size() * 4 + 16, '\0');             // 4 bytes a character at most
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* out = result.data();
    std::size_t outLeft = result.size();
    if (iconv(state_->handle, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        iconv(state_->handle, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    result.resize(result.size() - outLeft);
    return result;
}

#endif

#ifndef _WIN32
bool IsValidUtf8(std::string_view text) {
    static const EncodingConverter check(TextEncoding::Utf8, TextEncoding::Utf8);
    return check.Convert(text).has_value();
}
#endif

TextEncoding DetectEncoding(std::string_view start) {
    // Cut after the last ASCII byte, so that a character split at the end is not judged.
    std::size_t end = start.size();
    while (end > 0 && static_cast<unsigned char>(start[end - 1]) >= 0x80) --end;
    return IsValidUtf8(start.substr(0, end)) ? TextEncoding::Utf8 : TextEncoding::Gb18030;
}

}  // namespace velmarith::tool
