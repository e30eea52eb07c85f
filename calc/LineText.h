#pragma once

#include <array>
#include <cstring>
#include <string>
#include <string_view>

namespace velmarith {

// A printed line built on the stack: every line the calculation prints is well under the
// buffer, and the output button builds two on each press. Longer text spills to the heap.
class LineText {
  public:
    LineText& operator+=(std::string_view text) {
        if (!spilled_.empty() || size_ + text.size() > buffer_.size()) {
            if (spilled_.empty()) spilled_.assign(buffer_.data(), size_);
            spilled_ += text;
            return *this;
        }
        std::memcpy(buffer_.data() + size_, text.data(), text.size());
        size_ += text.size();
        return *this;
    }
    std::string_view View() const {
        return spilled_.empty() ? std::string_view(buffer_.data(), size_) : spilled_;
    }
    std::string Str() const { return std::string(View()); }

  private:
    std::array<char, 128> buffer_;
    std::size_t size_ = 0;
    std::string spilled_;
};

}  // namespace velmarith
