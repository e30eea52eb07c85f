#pragma once

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/Runtime.h"

namespace velmarith::testing {

// A runtime that answers prompts from a script and keeps a transcript of what happened:
//   "line:<text>"  a printed line (its items joined)
//   "cls"          the window cleared
//   "prompt:<text>" a prompt opened
//   "enable:<n>"   button Command<n> enabled
class ScriptedRuntime : public Runtime {
  public:
    void PrintLine(std::span<const std::string_view> items) override;
    void Cls() override;
    std::optional<std::string> InputBox(std::string_view prompt) override;
    void EnableButton(Button button) override;
    std::int16_t SelectedListPosition() override { return position; }

    // Answers for the next prompts, in order; std::nullopt is Cancel.
    void Answer(std::optional<std::string> answer) { answers.push_back(std::move(answer)); }
    // The printed lines since the last Cls, as the window would show them.
    std::vector<std::string> Screen() const;
    std::vector<std::string> TakeTranscript();

    std::int16_t position = -1;
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> transcript;
    std::set<Button> enabled;
};

}  // namespace velmarith::testing
