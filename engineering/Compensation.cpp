#include "engineering/Compensation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "calc/Expansion.h"
#include "engineering/AsShown.h"
#include "engineering/BuiltInMaterials.h"
#include "engineering/Finite.h"

namespace velmarith::engineering {

std::optional<double> DefaultModulus(int material, Units units) {
    if (!Catalogue::IsBuiltIn(material)) return std::nullopt;
    const double psi = BuiltInModulus(material).millionPsi * 1e6;
    return units == Units::Si ? psi * kMpaPerPsi : psi;
}

double DesignLength(Units units, double length) {
    const double step = units == Units::Si ? 50.0 : 2.0;
    // A quotient a hair above a whole number from rounding is that number.
    return std::ceil(length / step * (1 - 1e-12)) * step;
}

double CycleFormula(double cycles) { return 6.0 * std::pow(cycles, -0.2); }

double CycleFactor(double cycles) { return std::clamp(CycleFormula(cycles), 0.15, 1.0); }

std::optional<Compensation> Compensate(const Catalogue& catalogue, const Request& request,
                                       const Pipe& pipe, const Result& result) {
    const double reference = catalogue.Reference(request.material);
    const auto coefficient = [](const std::optional<CoefficientHit>& hit) {
        return hit ? hit->coefficient : 0.0f;  // none: the reference
    };
    const GrowthState install{coefficient(result.installCoefficient),
                              request.Celsius(request.install)};
    // The growth of a unit length from the installation, as the strain.
    const auto strainAt = [&](double celsius, float alpha) {
        return ScaledGrowth(1.0, {alpha, celsius}, reference, install) * 1e-6;
    };
    // Force from stress and area: MPa·mm² is N, shown in kN; psi·in² is lbf.
    const double forceUnit = request.units == Units::Si ? 1e-3 : 1.0;

    Compensation figures{};
    figures.modulus = pipe.modulus;
    const double d = pipe.diameter;
    if (pipe.wall) {
        const double inner = d - 2 * *pipe.wall;
        figures.metalArea = std::numbers::pi / 4 * (d * d - inner * inner);
    }
    if (pipe.allowable) {
        figures.allowableRange = pipe.allowable;
    } else if (pipe.coldAllowable && pipe.hotAllowable) {
        figures.cycleFormula = CycleFormula(pipe.cycles);
        figures.cycleFactor = CycleFactor(pipe.cycles);
        figures.allowableRange =
            *figures.cycleFactor * (1.25 * *pipe.coldAllowable + 0.25 * *pipe.hotAllowable);
    }
    const auto restrained = [&](double celsius, float alpha) {
        Restrained state{strainAt(celsius, alpha), 0, std::nullopt};
        state.stress = -pipe.modulus * state.strain;
        if (figures.metalArea) state.force = state.stress * *figures.metalArea * forceUnit;
        return state;
    };
    figures.hot = restrained(request.Celsius(request.temperature), result.coefficient.coefficient);
    figures.temperatureIsColdExtreme = !request.cold && request.temperature < request.install;
    if (request.cold) {
        figures.cold =
            restrained(request.Celsius(*request.cold), coefficient(result.coldCoefficient));
    }
    figures.movement = static_cast<double>(request.cold ? *result.movement : result.expansion);
    figures.stressRange =
        pipe.modulus * std::fabs(figures.movement) / std::fabs(request.typedLength);
    if (figures.allowableRange) {
        const double lf =
            std::sqrt(3 * pipe.modulus * d * std::fabs(figures.movement) / *figures.allowableRange);
        figures.leg = lf;
        figures.loopLength = lf;
        figures.loopWidth = lf / 5;
        figures.loopHeight = 2 * lf / 5;
        figures.legDesign = DesignLength(request.units, lf);
        figures.loopLengthDesign = figures.legDesign;
        figures.loopWidthDesign = DesignLength(request.units, lf / 5);
        figures.loopHeightDesign = DesignLength(request.units, 2 * lf / 5);
        const auto bound = [&](Restrained& state) {
            state.elasticBound =
                AsShown(std::fabs(state.stress)) > AsShown(*figures.allowableRange);
        };
        bound(figures.hot);
        if (figures.cold) bound(*figures.cold);
    }
    const bool finite =
        Finite({figures.metalArea, figures.allowableRange, figures.hot.stress, figures.hot.force,
                figures.stressRange, figures.leg, figures.loopHeight}) &&
        (!figures.cold || Finite({figures.cold->stress, figures.cold->force}));
    if (!finite) return std::nullopt;
    return figures;
}

}  // namespace velmarith::engineering
