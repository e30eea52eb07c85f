#pragma once

#include "runtime/Runtime.h"
#include "state/WindowState.h"

namespace velmarith {

// The output button's lookup: checks InputTemperature against the selected material's
// limits (one message and one re-prompt), walks the grid, stores and prints the coefficient.
// Returns false when the press must stop here: the re-prompt was not answered with a number,
// or its answer is still outside the limits.
bool LookupCoefficient(WindowState& state, Runtime& runtime);

// Expansion = ((InputLength * Coefficient) * (InputTemperature - 20)) / 1e6 in double, stored
// as single; prints three empty lines and the result line.
void ComputeExpansion(WindowState& state, Runtime& runtime);

}  // namespace velmarith
