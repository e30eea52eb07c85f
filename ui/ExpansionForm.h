#pragma once

#include <cstdint>

#include "runtime/Runtime.h"
#include "state/WindowState.h"

namespace velmarith {

// The window's behaviour without any toolkit: its fields and one handler per control event.
// A toolkit layer owns one of these, implements Runtime and forwards its widgets' events.
class ExpansionForm {
  public:
    explicit ExpansionForm(Runtime& runtime) : runtime_(runtime) {}

    void Form_Load();
    void Combo1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click(std::int16_t index);
    void Label1_Click();

    const WindowState& State() const { return state_; }
    WindowState& MutableState() { return state_; }

  private:
    Runtime& runtime_;
    WindowState state_;
};

}  // namespace velmarith
