#include "calc/Calculation.h"
#include "calc/Expansion.h"
#include "calc/GridWalk.h"
#include "runtime/Prompt.h"
#include "texts/Texts.h"

namespace velmarith {

bool LookupCoefficient(WindowState& state, Runtime& runtime) {
    const MaterialLimits& limits = MaterialLimitsTable[state.MaterialIndex];
    if (!WithinLimits(limits, state.InputTemperature)) {
        runtime.Print({texts::TemperatureOutOfRange});
        const auto answer = PromptInteger(runtime, texts::LookupRePrompt);
        if (!answer) return false;
        state.InputTemperature = *answer;
        runtime.Cls();
        // A second miss is reported instead of leaving the old coefficient to be used.
        if (!WithinLimits(limits, state.InputTemperature)) {
            runtime.Print({texts::TemperatureOutOfRange});
            return false;
        }
    }

    const auto hit = FindCoefficient(state.Tables, state.MaterialIndex, state.InputTemperature);
    state.GridIndex = static_cast<std::int16_t>(limits.Last + 1);
    if (!hit) return false;  // unreachable within the limits, kept as a guard
    runtime.Print({CoefficientLineText(state.InputTemperature, hit->valueText).View(),
                   texts::CoefficientUnit});
    state.Coefficient = hit->coefficient;
    return true;
}

}  // namespace velmarith
