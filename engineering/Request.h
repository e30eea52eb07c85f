#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/Units.h"
#include "tables/MaterialTables.h"

namespace velmarith::engineering {

// A material given by its list position (0 … 7, in any form a temperature may take: " 2",
// full-width "２") or by its list text ("奥氏体钢", spaces around it ignored).
std::optional<int> ParseMaterial(std::string_view text);

// One calculation as typed: -t is the warmest state, --cold the coldest.
struct RequestText {
    std::string_view material;
    std::string_view temperature;
    std::string_view length;
    std::optional<std::string_view> install;  // none: 20 °C (68 °F)
    std::optional<std::string_view> cold;
    Units units = Units::Si;
};

struct Request {
    int material = 0;
    Units units = Units::Si;
    // In the request's units: whole degrees Celsius (the window's rounding), or degrees
    // Fahrenheit as typed.
    double temperature = 0;
    double install = ReferenceTemperature;
    std::optional<double> cold;
    float length = 0;  // mm or in, as the window stores a length

    double Celsius(double temperature) const {
        return units == Units::Si ? temperature : FahrenheitToCelsius(temperature);
    }
    double LengthMm() const {
        return units == Units::Si ? static_cast<double>(length)
                                  : static_cast<double>(length) * kMillimetresPerInch;
    }
    bool DefaultInstall() const { return Celsius(install) == ReferenceTemperature; }
};

inline constexpr std::string_view kUnknownMaterialHint = " (应为 0 至 7, 材料名称或自定义材料名)";

// The field of a request a fault is in.
enum class RequestField { Material, Temperature, Length, Install, Cold };

struct RequestFault {
    RequestField field;
    std::string message;               // what is wrong, in the window's language
    std::string commandLineHint = {};  // what the command line adds, naming its options
};

// Converts the texts as the window's prompts do (SI) or as decimal numbers (US) and checks
// every temperature against the material's limits and the cold one against the warm one.
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
std::string TemperatureText(const Request& request, double temperature);

// A material's range, "-200 ~ 700 摄氏度", in US units with the °F first.
std::string RangeText(const Catalogue& catalogue, int material, Units units);

}  // namespace velmarith::engineering
