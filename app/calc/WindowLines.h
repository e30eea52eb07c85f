#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmarith::tool {

// The lines the window's output button prints for this material position and these prompt
// answers, produced by the window's own handlers on a runtime that answers the prompts.
// std::nullopt when the handlers asked anything more than the two prompts (a re-prompt).
std::optional<std::vector<std::string>> OutputButtonLines(int material,
                                                          std::string_view temperature,
                                                          std::string_view length);

}  // namespace velmarith::tool
