#pragma once

#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "runtime/Runtime.h"

namespace velmarith {

// A runtime that plays the user from a script: it answers prompts with the answers queued,
// reports a fixed list position, and keeps a transcript of what the handlers did:
//   "line:<text>"   a printed line (its items joined)
//   "cls"           the window cleared
//   "prompt:<text>" a prompt opened
//   "enable:<n>"    button Command<n> enabled
// The tests, the session fuzzer and the browser test's oracle run the window's handlers on it.
class ScriptedRuntime : public Runtime {
  public:
    void PrintLine(std::span<const std::string_view> items) override;
    void Cls() override;
    // A prompt with no answer left is taken as Cancel and counted in unansweredPrompts.
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
    int unansweredPrompts = 0;
};

}  // namespace velmarith
