#include "Invariants.h"

#include <algorithm>
#include <cmath>
#include <regex>

#include "runtime/NumberText.h"
#include "tables/MaterialTables.h"
#include "texts/Texts.h"

namespace velmarith::testing {
namespace {

const std::regex& CoefficientPattern() {
    static const std::regex pattern(
        "  (-?[0-9]+)摄氏度时材料的膨胀系数为:  (-?[0-9]+(\\.[0-9]+)?)mm/mm\\.C");
    return pattern;
}

const std::regex& ResultPattern() {
    static const std::regex pattern("  材料的膨胀量为: (-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]+)?)mm");
    return pattern;
}

bool IsMessage(const std::string& line) {
    return line == texts::TemperatureOutOfRange || line == texts::InvalidInput ||
           line == texts::NoMaterialSelected || line == texts::ResultOutOfRange;
}

}  // namespace

std::string CheckLine(const std::string& line) {
    if (line.empty() || IsMessage(line)) return {};
    if (std::find(texts::LabelMessage.begin(), texts::LabelMessage.end(), line) !=
        texts::LabelMessage.end()) {
        return {};
    }
    if (std::regex_match(line, CoefficientPattern()) || std::regex_match(line, ResultPattern())) {
        return {};
    }
    return "a line the window never prints: \"" + line + "\"";
}

std::string CheckOutputPress(const std::vector<std::string>& printed, const WindowState& state,
                             int selectedPosition) {
    // Only what stands after the last clearing matters for the shape; the messages before it
    // may be only the range message.
    std::vector<std::string> lines;
    for (const auto& line : printed) {
        if (line == "<cls>") {
            for (const auto& before : lines) {
                if (before != texts::TemperatureOutOfRange)
                    return "cleared after \"" + before + "\"";
            }
            lines.clear();
        } else {
            lines.push_back(line);
        }
    }
    if (!IsMaterialIndex(selectedPosition)) {
        if (lines != std::vector<std::string>{std::string(texts::NoMaterialSelected)}) {
            return "without a material the press must print only the request to choose one";
        }
        return {};
    }
    const MaterialLimits& limits = MaterialLimitsTable[selectedPosition];
    // Written out here rather than calling WithinLimits: a check must not share the code it checks.
    const bool within =
        state.InputTemperature >= limits.Low && state.InputTemperature <= limits.High;
    if (lines.size() == 5) {
        const std::size_t first = 0;
        std::smatch match;
        if (!std::regex_match(lines[first], match, CoefficientPattern())) {
            return "no coefficient line before the result";
        }
        if (match[1].str() != IntegerToText(state.InputTemperature)) {
            return "the coefficient line is not for the stored temperature";
        }
        if (!within) return "a coefficient for a temperature outside the material's limits";
        for (std::size_t i = first + 1; i < first + 4; ++i) {
            if (!lines[i].empty()) return "expected three empty lines";
        }
        std::smatch result;
        if (lines.back() == texts::ResultOutOfRange) return {};
        if (!std::regex_match(lines.back(), result, ResultPattern())) return "no result line";
        // Read back, the printed figure lies within half a unit of its 7th significant digit
        // of the stored single: checked without the formatting it checks.
        const double shown = std::stod(result[1].str());
        const double stored = state.Expansion;
        const double halfUnit =
            stored == 0 ? 0 : 0.5 * std::pow(10.0, std::floor(std::log10(std::fabs(stored))) - 6);
        if (std::fabs(shown - stored) > halfUnit * (1 + 1e-9)) {
            return "the result line disagrees with Expansion";
        }
        return {};
    }
    // Otherwise the press stopped: a message, possibly after the range message and re-prompt.
    if (within) return "a press within the limits did not print its result";
    for (const auto& line : lines) {
        if (line != texts::TemperatureOutOfRange && line != texts::InvalidInput) {
            return "unexpected line in a stopped press: \"" + line + "\"";
        }
    }
    return {};
}

std::set<Button> ButtonModel::Expected() const {
    std::set<Button> enabled{Button::Command5};
    if (materialPicked) enabled.insert(Button::Command2);
    if (temperatureAsked) enabled.insert(Button::Command3);
    if (lengthAsked) enabled.insert(Button::Command4);
    return enabled;
}

}  // namespace velmarith::testing
