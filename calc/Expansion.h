#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/LineText.h"

namespace velmarith {

// One state of a growth: the mean coefficient from the reference temperature at a
// temperature (°C).
struct GrowthState {
    float coefficient;
    double temperature;
};

// The one growth of every calculation, times 1e6: of a length from the reference temperature
// Tr to `to`, less that to `from` when there is one,
//   (L·ᾱ2)·(T2 − Tr) − (L·ᾱ1)·(T1 − Tr),
// each product in double in the window's order, with the single coefficients. Without `from`
// nothing is taken off (the window's form from 20 °C), so a zero growth keeps its sign.
double ScaledGrowth(double length, GrowthState to, double reference,
                    std::optional<GrowthState> from = std::nullopt);

// The growth from 20 °C in mm, as the window stores it: ((L * α) * (T - 20)) / 1e6 in double,
// rounded once to single; std::nullopt beyond the single range.
std::optional<float> ExpansionFrom20(float length, float coefficient, int temperature);

// The window's printed lines.
LineText CoefficientLineText(std::int16_t temperature, std::string_view valueText);
LineText ResultLineText(float expansion);

}  // namespace velmarith
