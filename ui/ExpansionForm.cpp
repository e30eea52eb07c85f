#include "ui/ExpansionForm.h"

#include "calc/Calculation.h"
#include "runtime/Prompt.h"
#include "texts/Texts.h"

namespace velmarith {

void ExpansionForm::Form_Load() { BuildMaterialTables(state_.Tables); }

void ExpansionForm::Combo1_Click() {
    if (IsMaterialIndex(runtime_.SelectedListPosition())) runtime_.EnableButton(Button::Command2);
    runtime_.Print({});
    runtime_.Print({});
    runtime_.Print({});
}

void ExpansionForm::Command2_Click() {
    runtime_.EnableButton(Button::Command3);
    const auto answer = PromptInteger(runtime_, texts::TemperaturePrompt);
    if (!answer) return;
    state_.InputTemperature = *answer;
    if (WithinTemperatureBounds(state_.InputTemperature)) return;
    runtime_.Print({texts::TemperatureOutOfRange});
    // The second answer is kept unchecked; the output button checks it against the material.
    const auto again = PromptInteger(runtime_, texts::TemperatureRePrompt);
    if (!again) return;
    state_.InputTemperature = *again;
    runtime_.Cls();
}

void ExpansionForm::Command3_Click() {
    runtime_.EnableButton(Button::Command4);
    if (const auto length = PromptSingle(runtime_, texts::LengthPrompt)) {
        state_.InputLength = *length;
    }
}

void ExpansionForm::Command4_Click() {
    state_.MaterialIndex = runtime_.SelectedListPosition();
    if (!IsMaterialIndex(state_.MaterialIndex)) {
        runtime_.Print({texts::NoMaterialSelected});
        return;
    }
    if (!LookupCoefficient(state_, runtime_)) return;
    ComputeExpansion(state_, runtime_);
}

void ExpansionForm::Command5_Click(std::int16_t /*index*/) { runtime_.Cls(); }

void ExpansionForm::Label1_Click() {
    for (const auto line : texts::LabelMessage) runtime_.Print({line});
}

}  // namespace velmarith
