#include "app/calc/WindowLines.h"

#include "runtime/ScriptedRuntime.h"
#include "ui/ExpansionForm.h"

namespace velmarith::tool {

std::optional<std::vector<std::string>> OutputButtonLines(int material,
                                                          std::string_view temperature,
                                                          std::string_view length) {
    ScriptedRuntime runtime;
    runtime.position = static_cast<std::int16_t>(material);
    runtime.Answer(std::string(temperature));
    runtime.Answer(std::string(length));
    ExpansionForm form(runtime);
    form.Form_Load();
    form.Combo1_Click();
    form.Command2_Click();
    form.Command3_Click();
    runtime.Cls();
    form.Command4_Click();
    if (runtime.unansweredPrompts > 0) return std::nullopt;
    return runtime.Screen();
}

}  // namespace velmarith::tool
