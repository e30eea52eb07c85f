#include "calc/Calculation.h"
#include "calc/Expansion.h"
#include "texts/Texts.h"

namespace velmarith {

void ComputeExpansion(WindowState& state, Runtime& runtime) {
    const auto stored =
        ExpansionFrom20(state.InputLength, state.Coefficient, state.InputTemperature);
    runtime.Print({});
    runtime.Print({});
    runtime.Print({});
    if (!stored) {
        runtime.Print({texts::ResultOutOfRange});
        return;
    }
    state.Expansion = *stored;
    runtime.Print({ResultLineText(state.Expansion).View()});
}

}  // namespace velmarith
