#include "tests/support/ScriptedRuntime.h"

#include <utility>

namespace velmarith {

void ScriptedRuntime::PrintLine(std::span<const std::string_view> items) {
    std::string line;
    for (auto item : items) line += item;
    transcript.push_back("line:" + line);
}

void ScriptedRuntime::Cls() { transcript.emplace_back("cls"); }

std::optional<std::string> ScriptedRuntime::InputBox(std::string_view prompt) {
    transcript.push_back("prompt:" + std::string(prompt));
    if (answers.empty()) {
        ++unansweredPrompts;
        return std::nullopt;
    }
    auto answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

void ScriptedRuntime::EnableButton(Button button) {
    enabled.insert(button);
    transcript.push_back("enable:" + std::to_string(static_cast<int>(button) + 2));
}

std::vector<std::string> ScriptedRuntime::Screen() const {
    std::vector<std::string> lines;
    for (const auto& entry : transcript) {
        if (entry == "cls") lines.clear();
        if (entry.starts_with("line:")) lines.push_back(entry.substr(5));
    }
    return lines;
}

std::vector<std::string> ScriptedRuntime::TakeTranscript() { return std::exchange(transcript, {}); }

}  // namespace velmarith
