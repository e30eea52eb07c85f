#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "runtime/Runtime.h"

namespace velmarith {

// Prompt and convert. An answer that does not convert gives std::nullopt: after Cancel or
// an empty answer silently, otherwise after the printed line "输入无效,请重试!".
std::optional<std::int16_t> PromptInteger(Runtime& runtime, std::string_view prompt);
std::optional<float> PromptSingle(Runtime& runtime, std::string_view prompt);

}  // namespace velmarith
