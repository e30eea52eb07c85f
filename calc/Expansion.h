#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "calc/LineText.h"

namespace velmarith {

// (length * coefficient) * (temperature - reference) in double, in the window's order: the
// growth of the length from the reference temperature, times 1e6. Every growth is made of it.
double ScaledGrowth(double length, float coefficient, double temperature, double reference);

// The same from 20 °C, with the window's stored length and whole temperature.
double ScaledGrowthFrom20(float length, float coefficient, int temperature);

// The growth from 20 °C in mm, as the window stores it: ((L * α) * (T - 20)) / 1e6 in double,
// rounded once to single; std::nullopt beyond the single range.
std::optional<float> ExpansionFrom20(float length, float coefficient, int temperature);

// The window's printed lines.
LineText CoefficientLineText(std::int16_t temperature, std::string_view valueText);
LineText ResultLineText(float expansion);

}  // namespace velmarith
