#include "runtime/Prompt.h"

#include "runtime/NumberText.h"
#include "texts/Texts.h"

namespace velmarith {
namespace {

template <typename Convert>
auto PromptAndConvert(Runtime& runtime, std::string_view prompt, Convert convert)
    -> decltype(convert(std::string_view{})) {
    const auto answer = runtime.InputBox(prompt);
    if (!answer || answer->empty()) return std::nullopt;
    auto value = convert(*answer);
    if (!value) runtime.Print({texts::InvalidInput});
    return value;
}

}  // namespace

std::optional<std::int16_t> PromptInteger(Runtime& runtime, std::string_view prompt) {
    return PromptAndConvert(runtime, prompt, TextToInteger);
}

std::optional<float> PromptSingle(Runtime& runtime, std::string_view prompt) {
    return PromptAndConvert(runtime, prompt, TextToSingle);
}

}  // namespace velmarith
