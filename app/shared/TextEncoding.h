#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace velmarith::tool {

// The encodings a spreadsheet's CSV comes in: "CSV UTF-8" (with a byte-order mark) and, on
// a Chinese Windows, plain "CSV" in GBK, read as GB18030 (its superset).
enum class TextEncoding { Utf8, Gb18030 };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// Converts between UTF-8 and GB18030 with the platform's own facility (iconv, or the Win32
// code-page API); std::nullopt when the text is not valid in the source encoding.
class EncodingConverter {
  public:
    EncodingConverter(TextEncoding from, TextEncoding to);
    ~EncodingConverter();
    EncodingConverter(const EncodingConverter&) = delete;
    EncodingConverter& operator=(const EncodingConverter&) = delete;

    std::optional<std::string> Convert(std::string_view text) const;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

bool IsValidUtf8(std::string_view text);

// The encoding of input that starts with these bytes: UTF-8 when they are valid UTF-8 (a
// sequence cut off at their end does not count against it), GB18030 otherwise.
TextEncoding DetectEncoding(std::string_view start);

}  // namespace velmarith::tool
