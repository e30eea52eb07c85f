#include "app/calc/WindowLines.h"

#include <deque>

#include "runtime/Runtime.h"
#include "ui/ExpansionForm.h"

namespace velmarith::tool {
namespace {

// Plays the user of the window: picks the material and answers the two prompts.
class AnsweringRuntime : public Runtime {
  public:
    AnsweringRuntime(int material, std::string_view temperature, std::string_view length)
        : position_(static_cast<std::int16_t>(material)),
          answers_{std::string(temperature), std::string(length)} {}

    void PrintLine(std::span<const std::string_view> items) override {
        std::string line;
        for (const auto item : items) line += item;
        lines.push_back(std::move(line));
    }
    void Cls() override { lines.clear(); }
    std::optional<std::string> InputBox(std::string_view) override {
        if (answers_.empty()) {
            unexpectedPrompt = true;
            return std::nullopt;
        }
        auto answer = std::move(answers_.front());
        answers_.pop_front();
        return answer;
    }
    void EnableButton(Button) override {}
    std::int16_t SelectedListPosition() override { return position_; }

    std::vector<std::string> lines;
    bool unexpectedPrompt = false;

  private:
    std::int16_t position_;
    std::deque<std::string> answers_;
};

}  // namespace

std::optional<std::vector<std::string>> OutputButtonLines(int material,
                                                          std::string_view temperature,
                                                          std::string_view length) {
    AnsweringRuntime runtime(material, temperature, length);
    ExpansionForm form(runtime);
    form.Form_Load();
    form.Combo1_Click();
    form.Command2_Click();
    form.Command3_Click();
    runtime.lines.clear();
    form.Command4_Click();
    if (runtime.unexpectedPrompt) return std::nullopt;
    return std::move(runtime.lines);
}

}  // namespace velmarith::tool
