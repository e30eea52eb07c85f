#include "engineering/Explanation.h"

#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

// In SI the window's whole degrees: say where the typed value was not one.
std::optional<RoundingStep> Rounding(RequestField field, std::string_view typed, double used) {
    const auto exact = TextToDouble(typed);
    if (!exact || *exact == used) return std::nullopt;
    return RoundingStep{field, DoubleToText(*exact), used};
}

}  // namespace

Explanation Explain(const Catalogue& catalogue, const RequestText& text, const Request& request,
                    const Result& result) {
    Explanation explanation;
    const auto coefficient = [](const std::optional<CoefficientHit>& hit) {
        return hit ? hit->coefficient : 0.0f;
    };
    const double hot = request.Celsius(request.temperature);
    const double install = request.Celsius(request.install);
    if (request.units == Units::Si) {
        const auto note = [&](RequestField field, const std::optional<std::string>& typed,
                              double used) {
            if (!typed) return;
            if (auto step = Rounding(field, *typed, used)) {
                explanation.roundings.push_back(std::move(*step));
            }
        };
        note(RequestField::Temperature, text[RequestField::Temperature], request.temperature);
        note(RequestField::Install, text[RequestField::Install], request.install);
        if (request.cold) note(RequestField::Cold, text[RequestField::Cold], *request.cold);
    }
    explanation.coefficients.push_back({hot, result.coefficient});
    // The installation term vanishes only at 20 °C in a table from 20 °C.
    const bool withInstall =
        !request.DefaultInstall() || catalogue.Reference(request.material) != ReferenceTemperature;
    if (withInstall) explanation.coefficients.push_back({install, result.installCoefficient});
    std::optional<GrowthTerm> cold;
    if (request.cold) {
        const double celsius = request.Celsius(*request.cold);
        explanation.coefficients.push_back({celsius, result.coldCoefficient});
        cold = GrowthTerm{coefficient(result.coldCoefficient), celsius};
    }
    const GrowthTerm warm{result.coefficient.coefficient, hot};
    const std::optional<GrowthTerm> installed =
        withInstall ? std::optional(GrowthTerm{coefficient(result.installCoefficient), install})
                    : std::nullopt;
    explanation.windowFormula = request.units == Units::Si && !withInstall && !cold &&
                                Catalogue::IsBuiltIn(request.material);
    if (explanation.windowFormula) {
        explanation.growths.push_back({"ΔL", std::nullopt, warm, result.expansion});
        return explanation;
    }
    explanation.growths.push_back({"ΔL(安装→热态)", installed, warm, result.expansion});
    if (cold) {
        explanation.growths.push_back({"ΔL(安装→冷态)", installed, *cold, *result.coldExpansion});
        explanation.growths.push_back({"ΔL(冷态→热态)", cold, warm, *result.movement});
    }
    return explanation;
}

}  // namespace velmarith::engineering
