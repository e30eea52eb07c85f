#include "ui/web/WebRuntime.h"

#include <emscripten.h>

#include <cstdlib>
#include <string>

namespace velmarith {
namespace {

// clang-format off
EM_JS(void, PagePrint, (const char* text, int size), {
    velmarithPage.print(UTF8ToString(text, size));
});
EM_JS(void, PageClear, (), { velmarithPage.clear(); });
EM_JS(void, PageEnable, (int button), { velmarithPage.enable(button); });
EM_JS(int, PageSelected, (), { return velmarithPage.selected(); });
// The answer as text the caller frees, or 0 for Cancel.
EM_ASYNC_JS(char*, PagePrompt, (const char* text, int size), {
    const answer = await velmarithPage.prompt(UTF8ToString(text, size));
    if (answer === null) return 0;
    const bytes = lengthBytesUTF8(answer) + 1;
    const copy = _malloc(bytes);
    stringToUTF8(answer, copy, bytes);
    return copy;
});
// clang-format on

int Number(Button button) {
    switch (button) {
        case Button::Command2:
            return 2;
        case Button::Command3:
            return 3;
        case Button::Command4:
            return 4;
        case Button::Command5:
            return 5;
    }
    return 0;
}

}  // namespace

void WebRuntime::PrintLine(std::span<const std::string_view> items) {
    std::string line;
    for (const auto item : items) line += item;
    PagePrint(line.data(), static_cast<int>(line.size()));
}

void WebRuntime::Cls() { PageClear(); }

std::optional<std::string> WebRuntime::InputBox(std::string_view prompt) {
    char* answer = PagePrompt(prompt.data(), static_cast<int>(prompt.size()));
    if (answer == nullptr) return std::nullopt;
    std::string text(answer);
    std::free(answer);
    return text;
}

void WebRuntime::EnableButton(Button button) { PageEnable(Number(button)); }

std::int16_t WebRuntime::SelectedListPosition() {
    return static_cast<std::int16_t>(PageSelected());
}

}  // namespace velmarith
