#include "app/calc/TextEncoding.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#elif defined(__EMSCRIPTEN__)
#include <emscripten.h>

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

EncodingConverter::EncodingConverter(TextEncoding from, TextEncoding to)
    : state_(new State{from, to}) {}

EncodingConverter::~EncodingConverter() = default;

std::optional<std::string> EncodingConverter::Convert(std::string_view text) const {
    if (text.empty() || IsAscii(text)) return std::string(text);
    if (state_->to != TextEncoding::Utf8) return std::nullopt;
    int size = 0;
    char* decoded = velmarith_decode(state_->from == TextEncoding::Utf8 ? "utf-8" : "gb18030",
                                     text.data(), static_cast<int>(text.size()), &size);
    if (decoded == nullptr) return std::nullopt;
    std::string result(decoded, static_cast<std::size_t>(size));  // NUL bytes included
    std::free(decoded);
    return result;
}

bool IsValidUtf8(std::string_view text) {
    static const EncodingConverter check(TextEncoding::Utf8, TextEncoding::Utf8);
    return check.Convert(text).has_value();
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
