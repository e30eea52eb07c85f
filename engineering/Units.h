#pragma once

#include <string_view>

namespace velmarith::engineering {

// SI: whole degrees Celsius (rounded as the window rounds) and millimetres. US: degrees
// Fahrenheit, which may be fractional and are never rounded, and inches.
enum class Units { Si, Us };

inline constexpr double kMillimetresPerInch = 25.4;
// 1 psi in MPa, exactly (1 lbf/in² with 1 lbf = 4.4482216152605 N, 1 in = 25.4 mm).
inline constexpr double kMpaPerPsi = 0.006894757293168361;
inline constexpr double kSquareCentimetresPerSquareInch = 6.4516;
inline constexpr double kAbsoluteZeroFahrenheit = -459.67;
// The rate's base length: 1 m, or 100 ft.
inline constexpr double kRateLengthSi = 1000.0;  // mm
inline constexpr double kRateLengthUs = 1200.0;  // in

constexpr double FahrenheitToCelsius(double fahrenheit) { return (fahrenheit - 32) * 5 / 9; }
constexpr double CelsiusToFahrenheit(double celsius) { return celsius * 9 / 5 + 32; }

constexpr std::string_view LengthUnit(Units units) { return units == Units::Si ? "mm" : "in"; }
constexpr std::string_view RateUnit(Units units) {
    return units == Units::Si ? "mm/m" : "in/100ft";
}

}  // namespace velmarith::engineering
