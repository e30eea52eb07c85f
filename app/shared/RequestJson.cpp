#include "app/shared/RequestJson.h"

#include <optional>

namespace velmarith::tool {

using namespace engineering;

namespace {

// A request is one flat object of strings (and numbers), which is all this reads. The page's
// WebAssembly is loaded whole before its first paint, and a general JSON parser would cost it
// a sixth of its size for this one object.
class FlatObjectReader {
  public:
    explicit FlatObjectReader(std::string_view text) : text_(text) {}

    // Calls take(key, value) for each member, value as its text (a string's unescaped, a
    // number's as written) or none for any other kind of value. False when the text is no
    // object of that shape.
    template <typename Take>
    bool Read(Take take) {
        if (!Consume('{')) return false;
        if (Consume('}')) return End();
        do {
            auto key = String();
            if (!key || !Consume(':')) return false;
            std::optional<std::string> value;
            Space();
            if (Peek() == '"') {
                value = String();
                if (!value) return false;
            } else if (!Number(value) && !Other()) {
                return false;
            }
            take(*key, value);
        } while (Consume(','));
        return Consume('}') && End();
    }

  private:
    char Peek() const { return at_ < text_.size() ? text_[at_] : '\0'; }
    void Space() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }
    bool Consume(char c) {
        Space();
        if (Peek() != c) return false;
        ++at_;
        return true;
    }
    bool End() {
        Space();
        return at_ == text_.size();
    }

    static void AppendUtf8(std::string& out, unsigned code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::optional<unsigned> Hex4() {
        if (at_ + 4 > text_.size()) return std::nullopt;
        unsigned code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_++];
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) return std::nullopt;
            code = code * 16 + static_cast<unsigned>(digit);
        }
        return code;
    }

    // A string after its opening quote is next; unescaped.
    std::optional<std::string> String() {
        if (!Consume('"')) return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return out;
            if (static_cast<unsigned char>(c) < 0x20) return std::nullopt;
            if (c != '\\') {
                out += c;
                continue;
            }
            const char e = Peek();
            ++at_;
            constexpr std::string_view kFrom = "\"\\/bfnrt";
            constexpr std::string_view kTo = "\"\\/\b\f\n\r\t";
            if (const auto k = kFrom.find(e); k != std::string_view::npos && e != '\0') {
                out += kTo[k];
                continue;
            }
            if (e != 'u') return std::nullopt;
            auto code = Hex4();
            if (!code) return std::nullopt;
            // A surrogate pair is one character; a lone surrogate becomes U+FFFD.
            if (*code >= 0xD800 && *code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
                at_ += 2;
                const auto low = Hex4();
                if (!low) return std::nullopt;
                code = *low >= 0xDC00 && *low < 0xE000
                           ? 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00)
                           : 0xFFFD;
            } else if (*code >= 0xD800 && *code < 0xE000) {
                code = 0xFFFD;
            }
            AppendUtf8(out, *code);
        }
        return std::nullopt;
    }

    // A number, kept as written.
    bool Number(std::optional<std::string>& value) {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               std::string_view("+-0123456789.eE").find(text_[at_]) != std::string_view::npos) {
            ++at_;
        }
        if (at_ == start) return false;
        value = std::string(text_.substr(start, at_ - start));
        return true;
    }

    // true, false or null: a member with no use as an input.
    bool Other() {
        for (const std::string_view word : {"true", "false", "null"}) {
            if (text_.substr(at_, word.size()) == word) {
                at_ += word.size();
                return true;
            }
        }
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

RequestFromJson ReadRequestJson(std::string_view text) {
    RequestFromJson read;
    const bool sound =
        FlatObjectReader(text).Read([&](const std::string& key, std::optional<std::string>& value) {
            const InputRow* row = FindInput(key);
            if (row == nullptr || row->key != key || !value) {
                read.unknown.push_back(key);
                return;
            }
            if (!value->empty()) read.request[row->field] = std::move(*value);
        });
    if (!sound) {
        read = RequestFromJson{};
        read.malformed = true;
    }
    return read;
}

}  // namespace velmarith::tool
