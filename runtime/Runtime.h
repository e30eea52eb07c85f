#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace velmarith {

// The buttons whose Enabled flag the window's handlers switch on.
enum class Button { Command2, Command3, Command4, Command5 };

// What the window's behaviour needs from whatever shows it: a Qt window, a terminal, or a
// scripted fake in the tests. Handlers run one at a time; InputBox is modal.
class Runtime {
  public:
    virtual ~Runtime() = default;

    // Draws the items one after the other as one line at the print position, then moves the
    // position to the start of the next line. No items print an empty line.
    virtual void PrintLine(std::span<const std::string_view> items) = 0;

    // Erases all printed text and returns the print position to the top-left corner.
    virtual void Cls() = 0;

    // Opens the modal prompt with this text alone; the answer field starts empty.
    // std::nullopt means the user cancelled.
    virtual std::optional<std::string> InputBox(std::string_view prompt) = 0;

    virtual void EnableButton(Button button) = 0;

    // Position of the material list's selected entry counted from 0, or -1 when none is.
    virtual std::int16_t SelectedListPosition() = 0;

    void Print(std::initializer_list<std::string_view> items) {
        PrintLine(std::span<const std::string_view>(items.begin(), items.size()));
    }
};

}  // namespace velmarith
