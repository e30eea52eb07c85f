// Plays a scripted use of the window on the core's ScriptedRuntime and prints, after every
// event, what the window then shows, as one JSON object a line: the printed lines, which of
// Command2 … Command5 are enabled, and the prompts the event opened. The browser test plays
// the same script in the page and compares. Script lines (on stdin):
//   choose K | type TEXT | key down | key up | press N | label | answer TEXT | cancel
// An event's answers follow it; a press on a disabled button does nothing, as in the window.
// Typing into the list's field selects no entry and runs no handler; ↓ and ↑ in the closed
// field choose the entry after or before the last one chosen (none past the ends), as the
// window's combo box does.
#include <iostream>
#include <string>
#include <vector>

#include "tables/MaterialTables.h"
#include "tests/support/ScriptedRuntime.h"
#include "ui/ExpansionForm.h"

namespace {

std::string Json(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

struct Event {
    std::string kind;
    std::string argument;
    std::vector<std::optional<std::string>> answers;
};

}  // namespace

int main() {
    using namespace velmarith;
    std::vector<Event> events;
    for (std::string line; std::getline(std::cin, line);) {
        const auto space = line.find(' ');
        const std::string kind = line.substr(0, space);
        const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
        if (kind == "answer" && !events.empty()) {
            events.back().answers.emplace_back(argument);
        } else if (kind == "cancel" && !events.empty()) {
            events.back().answers.emplace_back(std::nullopt);
        } else if (!kind.empty()) {
            events.push_back({kind, argument, {}});
        }
    }

    ScriptedRuntime runtime;
    ExpansionForm form(runtime);
    form.Form_Load();
    runtime.enabled.insert(Button::Command5);
    std::vector<std::string> screen;
    int current = -1;  // the entry the arrows move from
    const auto choose = [&](int position) {
        current = position;
        runtime.position = static_cast<std::int16_t>(position);
        form.Combo1_Click();
    };
    for (const auto& event : events) {
        runtime.answers.assign(event.answers.begin(), event.answers.end());
        if (event.kind == "choose") {
            choose(std::stoi(event.argument));
        } else if (event.kind == "type") {
            runtime.position = -1;
        } else if (event.kind == "key") {
            const int next = current + (event.argument == "down" ? 1 : -1);
            if (next >= 0 && next < kMaterialCount) choose(next);
        } else if (event.kind == "label") {
            form.Label1_Click();
        } else if (event.kind == "press") {
            const int n = std::stoi(event.argument);
            const auto button = static_cast<Button>(n - 2);
            if (runtime.enabled.contains(button)) {
                if (n == 2) form.Command2_Click();
                if (n == 3) form.Command3_Click();
                if (n == 4) form.Command4_Click();
                if (n == 5) form.Command5_Click(1);
            }
        }
        std::string prompts;
        for (const auto& entry : runtime.TakeTranscript()) {
            if (entry == "cls") screen.clear();
            if (entry.starts_with("line:")) screen.push_back(entry.substr(5));
            if (entry.starts_with("prompt:")) {
                prompts += (prompts.empty() ? "" : ",") + Json(entry.substr(7));
            }
        }
        std::string lines;
        for (const auto& line : screen) lines += (lines.empty() ? "" : ",") + Json(line);
        std::cout << "{\"lines\":[" << lines << "],\"enabled\":[";
        for (int n = 2; n <= 5; ++n) {
            std::cout << (n > 2 ? "," : "")
                      << (runtime.enabled.contains(static_cast<Button>(n - 2)) ? "true" : "false");
        }
        std::cout << "],\"prompts\":[" << prompts << "]}\n";
    }
    return 0;
}
