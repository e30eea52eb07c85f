#include "calc/Expansion.h"

#include "runtime/NumberText.h"
#include "tables/MaterialTables.h"
#include "texts/Texts.h"

namespace velmarith {

double ScaledGrowth(double length, GrowthState to, double reference,
                    std::optional<GrowthState> from) {
    const auto term = [&](GrowthState state) {
        return (length * static_cast<double>(state.coefficient)) * (state.temperature - reference);
    };
    return from ? term(to) - term(*from) : term(to);
}

std::optional<float> ExpansionFrom20(float length, float coefficient, int temperature) {
    // A whole temperature less 20 is exact in double, whatever temperature was stored.
    return RoundToSingle(ScaledGrowth(static_cast<double>(length),
                                      {coefficient, static_cast<double>(temperature)},
                                      static_cast<double>(ReferenceTemperature)) /
                         1'000'000.0);
}

LineText CoefficientLineText(std::int16_t temperature, std::string_view valueText) {
    LineText line;
    line += texts::CoefficientLead;
    line += IntegerToText(temperature);
    line += texts::CoefficientMiddle;
    line += valueText;
    return line;
}

LineText ResultLineText(float expansion) {
    LineText line;
    line += texts::ExpansionLead;
    line += SingleToText(expansion);
    line += texts::ExpansionUnit;
    return line;
}

}  // namespace velmarith
