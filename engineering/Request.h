#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/Inputs.h"
#include "engineering/Pipe.h"
#include "engineering/Units.h"
#include "tables/MaterialTables.h"

namespace velmarith::engineering {

// A material given by its list position (0 … 7, in any form a temperature may take: " 2",
// full-width "２") or by its list text ("奥氏体钢", spaces around it ignored).
std::optional<int> ParseMaterial(std::string_view text);

struct Request {
    int material = 0;
    std::string grade;  // the grade the material was named by ("Q345R"), or empty
    Units units = Units::Si;
    // In the request's units: whole degrees Celsius (the window's rounding), or degrees
    // Fahrenheit as typed.
    double temperature = 0;
    double install = ReferenceTemperature;
    std::optional<double> cold;
    float length = 0;        // mm or in, as the window stores a length
    double typedLength = 0;  // the same as typed, in double: the pipe's and the line's figures
    std::optional<Pipe> pipe;
    std::optional<Line> line;  // with the pipe, when any of the line's inputs is given
    // Inputs taken but out of the ordinary, or given and not used.
    std::vector<InputWarning> warnings;
    // Each input as understood, defaults filled in, in the request's units; none where the
    // request has none (no cold state, no pipe). The material is its id, the units 0 (SI)
    // or 1 (US).
    std::array<std::optional<double>, kInputCount> understood{};
    const std::optional<double>& Understood(RequestField field) const {
        return understood[static_cast<std::size_t>(field)];
    }

    double Celsius(double temperature) const {
        return units == Units::Si ? temperature : FahrenheitToCelsius(temperature);
    }
    double LengthMm() const {
        return units == Units::Si ? static_cast<double>(length)
                                  : static_cast<double>(length) * kMillimetresPerInch;
    }
    bool DefaultInstall() const { return Celsius(install) == ReferenceTemperature; }
    // A rate, a final length and a pipe's figures need a pipe: a positive length.
    bool HasPositiveLength() const { return length > 0; }
};

// What every figure that needs a pipe's length says of a length not above zero.
inline constexpr std::string_view kLengthNotPositive = "长度应大于 0";

inline constexpr std::string_view kUnknownMaterialHint = " (应为 0 至 7, 材料名称或自定义材料名)";

struct RequestFault {
    RequestField field;
    std::string message;               // what is wrong, in the window's language
    std::string commandLineHint = {};  // what the command line adds, naming its options
};

// Converts the texts as the window's prompts do (SI) or as decimal numbers (US) and checks
// every temperature against the material's limits and the cold one against the warm one. The
// material's reference temperature is accepted for the installation and the cold state
// whatever the range: its term α·(T − Tr) is zero. A true minus sign (U+2212) reads as "-".
// An empty installation or cold temperature is an error; none means the default or no cold
// state. Every field is checked that can be: a form marks them all at once. The faults come
// in a fixed order, the first one being what ParseRequest reports.
std::variant<Request, std::vector<RequestFault>> CheckRequest(const Catalogue& catalogue,
                                                              const RequestText& text);

// As CheckRequest, failing with the first fault's message (for the command line, which
// names the cold state's option in it).
std::variant<Request, std::string> ParseRequest(const Catalogue& catalogue,
                                                const RequestText& text);

// A temperature for messages and lines: "150" (SI), "600.5°F (315.8333 摄氏度)" (US).
// Fahrenheit degrees here are in the request's units.
std::string TemperatureText(const Request& request, double temperature);

// A temperature in °C as the request's units show it: "20 摄氏度", "68°F (20 摄氏度)".
std::string CelsiusInUnits(double celsius, Units units);

// Typed text as a message quotes it: in quotes, and cut short (with "…") when it is long, so
// that a pasted page does not become the message.
std::string QuotedInput(std::string_view text);

// A material's range, "-200 ~ 700 摄氏度", in US units with the °F first.
std::string RangeText(const Catalogue& catalogue, int material, Units units);

}  // namespace velmarith::engineering
