#include "app/calc/BatchOutput.h"

#include <algorithm>

#include "app/shared/CompensationText.h"
#include "app/shared/CsvField.h"
#include "app/shared/InputValues.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

// A column: an input as understood, or a figure of the result.
struct BatchOutput::Column {
    std::string_view si;
    std::string_view us;  // the name in US units; an input's follows from its quantity
    std::optional<RequestField> input;
    std::string (*figure)(const Evaluation&, Units) = nullptr;
    bool pipe = false;  // written only when the batch has a pipe
    bool line = false;  // written only when the batch has the line's inputs
};

namespace {

using F = RequestField;
using Column = std::string (*)(const Evaluation&, Units);

std::string Single(const std::optional<float>& value) {
    return value ? SingleToText(*value) : std::string();
}
std::string Shown(const std::optional<double>& value) {
    return value ? Figure(*value) : std::string();
}
std::string Coefficient(const std::optional<CoefficientHit>& hit, Units units) {
    if (!hit) return {};
    return units == Units::Si ? hit->valueText : SingleToText(hit->coefficient);
}
const Compensation* Pipe(const Evaluation& e) {
    return e.compensation ? &*e.compensation : nullptr;
}
// A figure of the pipe's, "" without one.
template <typename Get>
std::string OfPipe(const Evaluation& e, Get get) {
    const Compensation* c = Pipe(e);
    return c != nullptr ? get(*c) : std::string();
}

const LineDesign* Design(const Evaluation& e) { return e.line ? &*e.line : nullptr; }
// A figure of the line's design, "" without one.
template <typename Get>
std::string OfLine(const Evaluation& e, Get get) {
    const LineDesign* l = Design(e);
    return l != nullptr ? get(*l) : std::string();
}
std::string Flag(bool value) { return value ? "true" : "false"; }
template <typename Get>
std::string OfCheck(const std::optional<LegCheck>& check, Get get) {
    return check ? get(*check) : std::string();
}
template <typename Get>
std::string OfScreen(const std::optional<Screen>& screen, Get get) {
    return screen ? get(*screen) : std::string();
}
template <typename Get>
std::string OfBellows(const std::optional<Bellows>& bellows, Get get) {
    return bellows ? get(*bellows) : std::string();
}

// clang-format off
struct Named {
    std::string_view si, us;
    std::optional<F> input;
    Column figure;
};

// The movement's columns, then the pipe's.
const Named kMovement[] = {
    {"", "", F::Material, nullptr},
    {"", "", F::Temperature, nullptr},
    {"", "", F::Length, nullptr},
    {"", "", F::Install, nullptr},
    {"coefficient", "coefficient_per_C", {},
     [](const Evaluation& e, Units u) { return Coefficient(e.result->coefficient, u); }},
    {"install_coefficient", "install_coefficient_per_C", {},
     [](const Evaluation& e, Units u) { return Coefficient(e.result->installCoefficient, u); }},
    {"expansion", "expansion_in", {},
     [](const Evaluation& e, Units) { return SingleToText(e.result->expansion); }},
    {"mm_per_m", "in_per_100ft", {},
     [](const Evaluation& e, Units) { return Single(e.result->rate); }},
    {"final_length", "final_length_in", {},
     [](const Evaluation& e, Units) { return Single(e.result->finalLength); }},
    {"", "", F::Cold, nullptr},
    {"cold_expansion", "cold_expansion_in", {},
     [](const Evaluation& e, Units) { return Single(e.result->coldExpansion); }},
    {"movement", "movement_in", {},
     [](const Evaluation& e, Units) { return Single(e.result->movement); }},
};
const Named kPipe[] = {
    {"", "", F::Diameter, nullptr},
    {"", "", F::Wall, nullptr},
    {"metal_area", "metal_area_in2", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.metalArea); }); }},
    {"", "", F::Modulus, nullptr},
    {"allowable_range", "allowable_range_psi", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.allowableRange); }); }},
    {"hot_stress", "hot_stress_psi", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Figure(c.hot.stress); }); }},
    {"hot_force", "hot_force_lbf", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.hot.force); }); }},
    {"cold_stress", "cold_stress_psi", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return c.cold ? Figure(c.cold->stress) : std::string(); }); }},
    {"cold_force", "cold_force_lbf", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return c.cold ? Shown(c.cold->force) : std::string(); }); }},
    {"leg", "leg_in", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.leg); }); }},
    {"loop_width", "loop_width_in", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.loopWidth); }); }},
    {"loop_height", "loop_height_in", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.loopHeight); }); }},
};
// After the pipe's inputs not named above.
const Named kPipeTail[] = {
    {"cycle_factor", "cycle_factor", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Shown(c.cycleFactor); }); }},
    {"stress_range", "stress_range_psi", {},
     [](const Evaluation& e, Units) { return OfPipe(e, [](auto& c) { return Figure(c.stressRange); }); }},
    {"cannot_be_restrained", "cannot_be_restrained", {},
     [](const Evaluation& e, Units) {
         return OfPipe(e, [](auto& c) {
             return c.allowableRange ? std::string(c.CannotBeRestrained() ? "true" : "false")
                                     : std::string();
         });
     }},
};
// After the line's inputs, when the batch has them.
#define VELMARITH_LINE(get) [](const Evaluation& e, Units) { return OfLine(e, [](const LineDesign& l) { return get; }); }
const Named kLine[] = {
    {"leg_force", "leg_force_lbf", {}, VELMARITH_LINE(Shown(l.legForce))},
    {"loop_force", "loop_force_lbf", {}, VELMARITH_LINE(Shown(l.loopForce))},
    {"given_leg_stress", "given_leg_stress_psi", {}, VELMARITH_LINE(OfCheck(l.legCheck, [](auto& c) { return Figure(c.stress); }))},
    {"given_leg_ratio", "given_leg_ratio", {}, VELMARITH_LINE(OfCheck(l.legCheck, [](auto& c) { return Figure(c.ratio); }))},
    {"given_leg_force", "given_leg_force_lbf", {}, VELMARITH_LINE(OfCheck(l.legCheck, [](auto& c) { return Shown(c.force); }))},
    {"given_leg_sufficient", "given_leg_sufficient", {}, VELMARITH_LINE(OfCheck(l.legCheck, [](auto& c) { return Flag(c.sufficient); }))},
    {"given_loop_length", "given_loop_length_in", {}, VELMARITH_LINE(OfCheck(l.loopCheck, [](auto& c) { return Figure(c.length); }))},
    {"given_loop_stress", "given_loop_stress_psi", {}, VELMARITH_LINE(OfCheck(l.loopCheck, [](auto& c) { return Figure(c.stress); }))},
    {"given_loop_ratio", "given_loop_ratio", {}, VELMARITH_LINE(OfCheck(l.loopCheck, [](auto& c) { return Figure(c.ratio); }))},
    {"given_loop_force", "given_loop_force_lbf", {}, VELMARITH_LINE(OfCheck(l.loopCheck, [](auto& c) { return Shown(c.force); }))},
    {"given_loop_sufficient", "given_loop_sufficient", {}, VELMARITH_LINE(OfCheck(l.loopCheck, [](auto& c) { return Flag(c.sufficient); }))},
    {"screen_leg_value", "screen_leg_value", {}, VELMARITH_LINE(OfScreen(l.screenLeg, [](auto& s) { return Figure(s.value); }))},
    {"screen_leg_limit", "screen_leg_limit", {}, VELMARITH_LINE(OfScreen(l.screenLeg, [](auto& s) { return Figure(s.limit); }))},
    {"screen_leg_needs_analysis", "screen_leg_needs_analysis", {}, VELMARITH_LINE(OfScreen(l.screenLeg, [](auto& s) { return Flag(s.needsAnalysis); }))},
    {"screen_loop_value", "screen_loop_value", {}, VELMARITH_LINE(OfScreen(l.screenLoop, [](auto& s) { return Figure(s.value); }))},
    {"screen_loop_limit", "screen_loop_limit", {}, VELMARITH_LINE(OfScreen(l.screenLoop, [](auto& s) { return Figure(s.limit); }))},
    {"screen_loop_needs_analysis", "screen_loop_needs_analysis", {}, VELMARITH_LINE(OfScreen(l.screenLoop, [](auto& s) { return Flag(s.needsAnalysis); }))},
    {"joints", "joints", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.joints); }))},
    {"movement_per_joint", "movement_per_joint_in", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.movementPerJoint); }))},
    {"preset", "preset_in", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.preset); }))},
    {"pressure_thrust", "pressure_thrust_lbf", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Shown(b.pressureThrust); }))},
    {"spring_force", "spring_force_lbf", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.springForce); }))},
    {"friction_force", "friction_force_lbf", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Shown(b.frictionForce); }))},
    {"anchor_force", "anchor_force_lbf", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.anchorForce); }))},
    {"first_guide", "first_guide_in", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.firstGuide); }))},
    {"second_guide", "second_guide_in", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Figure(b.secondGuide); }))},
    {"guide_spacing", "guide_spacing_in", {}, VELMARITH_LINE(OfBellows(l.bellows, [](auto& b) { return Shown(b.guideSpacing); }))},
};
#undef VELMARITH_LINE
// clang-format on

}  // namespace

BatchOutput::BatchOutput(Units units, bool pipe, bool line) : units_(units) {
    static std::vector<Column> all = [] {
        std::vector<Column> columns;
        const auto add = [&](const Named& named, bool pipe) {
            columns.push_back({named.si, named.us, named.input, named.figure, pipe, false});
        };
        std::vector<F> listed;
        for (const auto& named : kMovement) add(named, false);
        for (const auto& named : kPipe) add(named, true);
        for (const auto& column : columns) {
            if (column.input) listed.push_back(*column.input);
        }
        // Every pipe input the list above leaves out, in the table's order.
        for (const auto& row : Inputs()) {
            if (row.group != InputGroup::Pipe) continue;
            if (std::find(listed.begin(), listed.end(), row.field) != listed.end()) continue;
            columns.push_back({"", "", row.field, nullptr, true, false});
        }
        for (const auto& named : kPipeTail) add(named, true);
        for (const auto& row : Inputs()) {
            if (row.group == InputGroup::Line) {
                columns.push_back({"", "", row.field, nullptr, true, true});
            }
        }
        for (const auto& named : kLine) {
            columns.push_back({named.si, named.us, named.input, named.figure, true, true});
        }
        return columns;
    }();
    for (const auto& column : all) {
        if ((!column.pipe || pipe) && (!column.line || line)) columns_.push_back(&column);
    }
}

std::string BatchOutput::Header() const {
    std::string header;
    for (const Column* column : columns_) {
        if (column->input) {
            header += ColumnName(Row(*column->input), units_);
        } else {
            header += units_ == Units::Si ? column->si : column->us;
        }
        header += ',';
    }
    return header + "error\n";
}

void BatchOutput::AppendResult(std::string& out, std::string_view material,
                               const Evaluation& evaluation) const {
    const Request& request = *evaluation.request;
    // None of these can hold a comma or a quote: no quoting needed, but for the material.
    for (const Column* column : columns_) {
        if (column->input == F::Material) {
            AppendCsvField(out, material);
        } else if (column->input) {
            out += UnderstoodText(request, *column->input);
        } else {
            out += column->figure(evaluation, units_);
        }
        out += ',';
    }
}

void BatchOutput::AppendInputs(std::string& out,
                               const std::array<std::string_view, kInputCount>& typed) const {
    for (const Column* column : columns_) {
        if (column->input) AppendCsvField(out, typed[static_cast<std::size_t>(*column->input)]);
        out += ',';
    }
}

}  // namespace velmarith::tool
