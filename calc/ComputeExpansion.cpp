#include "calc/Calculation.h"
#include "runtime/NumberText.h"
#include "ui/Texts.h"

namespace velmarith {

void ComputeExpansion(WindowState& state, Runtime& runtime) {
    // In 32 bits the difference cannot overflow, whatever temperature was stored.
    const int difference = state.InputTemperature - ReferenceTemperature;
    const double expansion =
        ((static_cast<double>(state.InputLength) * static_cast<double>(state.Coefficient)) *
         static_cast<double>(difference)) /
        1'000'000.0;
    const auto stored = RoundToSingle(expansion);

    runtime.Print({});
    runtime.Print({});
    runtime.Print({});
    if (!stored) {
        runtime.Print({texts::ResultOutOfRange});
        return;
    }
    state.Expansion = *stored;
    const std::string line = std::string(texts::ExpansionLead) + SingleToText(state.Expansion) +
                             std::string(texts::ExpansionUnit);
    runtime.Print({line});
}

}  // namespace velmarith
