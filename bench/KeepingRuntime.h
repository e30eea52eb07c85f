#pragma once

#include <string>
#include <vector>

#include "runtime/Runtime.h"
#include "ui/ExpansionForm.h"

namespace velmarith::bench {

// Keeps every printed line, as the window's print area does, and answers every prompt with
// one text; the list reports the first material.
class KeepingRuntime : public Runtime {
  public:
    void PrintLine(std::span<const std::string_view> items) override {
        std::size_t size = 0;
        for (const auto item : items) size += item.size();
        std::string line;
        line.reserve(size);
        for (const auto item : items) line += item;
        lines.push_back(std::move(line));
    }
    void Cls() override { lines.clear(); }
    std::optional<std::string> InputBox(std::string_view) override { return answer; }
    void EnableButton(Button) override {}
    std::int16_t SelectedListPosition() override { return 0; }

    std::vector<std::string> lines;
    std::string answer;
};

// The window ready for the worked example's press of 输出: material 0, 150 °C, 1000 mm.
inline void EnterWorkedExample(KeepingRuntime& runtime, ExpansionForm& form) {
    form.Form_Load();
    runtime.answer = "150";
    form.Command2_Click();
    runtime.answer = "1000";
    form.Command3_Click();
}

}  // namespace velmarith::bench
