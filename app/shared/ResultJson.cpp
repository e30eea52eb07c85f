#include "app/shared/ResultJson.h"

#include "app/shared/CompensationText.h"
#include "app/shared/InputValues.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;
using json = nlohmann::ordered_json;

namespace {

json NumberFromText(const std::string& text) {
    const auto value = TextToDouble(text);
    return value ? json(*value) : json(nullptr);
}

json HitJson(const Catalogue& catalogue, int material, double celsius,
             const std::optional<CoefficientHit>& hit) {
    json point = {{"celsius", celsius}};
    if (!hit) {
        point["reference"] = true;  // the reference temperature: its term is zero
        return point;
    }
    point["grid_index"] = hit->gridIndex;
    point["exact"] = hit->exact;
    point["value"] = hit->value;
    point["coefficient"] = NumberFromText(hit->valueText);
    point["kind"] =
        !hit->exact ? "interpolated"
        : Catalogue::IsBuiltIn(material) &&
                catalogue.Tables()
                    .CoefficientTable[material][static_cast<std::size_t>(hit->gridIndex)]
                    .IsInteger()
            ? "integer"
            : "double";
    return point;
}

}  // namespace

namespace {

// A compensation figure as its line shows it: 7 significant digits.
json Shown(const std::optional<double>& value) {
    return value ? NumberFromText(Figure(*value)) : json(nullptr);
}

json RestrainedJson(const Restrained& state) {
    return {{"strain", Shown(state.strain)},
            {"stress", Shown(state.stress)},
            {"force", Shown(state.force)}};
}

json CheckJson(const std::optional<LegCheck>& check) {
    if (!check) return nullptr;
    json object = {{"length", Shown(check->length)}};
    if (check->width) {
        object["width"] = Shown(check->width);
        object["height"] = Shown(check->height);
    }
    object["stress"] = Shown(check->stress);
    object["ratio"] = Shown(check->ratio);
    object["force"] = Shown(check->force);
    object["sufficient"] = check->sufficient;
    return object;
}

json ScreenJson(const std::optional<Screen>& screen) {
    if (!screen) return nullptr;
    return {{"developed_length", Shown(screen->developed)},
            {"anchor_distance", Shown(screen->anchorDistance)},
            {"displacement", Shown(screen->displacement)},
            {"value", Shown(screen->value)},
            {"limit", Shown(screen->limit)},
            {"needs_analysis", screen->needsAnalysis}};
}

json BellowsJson(const std::optional<Bellows>& b) {
    if (!b) return nullptr;
    return {{"joints", Shown(b->joints)},
            {"movement_per_joint", Shown(b->movementPerJoint)},
            {"rated_movement", Shown(b->ratedMovement)},
            {"preset", Shown(b->preset)},
            {"preset_kind", b->preset > 0   ? json("stretch")
                            : b->preset < 0 ? json("compress")
                                            : json(nullptr)},
            {"pressure_thrust", Shown(b->pressureThrust)},
            {"spring_force", Shown(b->springForce)},
            {"friction_force", Shown(b->frictionForce)},
            {"anchor_force", Shown(b->anchorForce)},
            {"first_guide", Shown(b->firstGuide)},
            {"second_guide", Shown(b->secondGuide)},
            {"guide_spacing", Shown(b->guideSpacing)}};
}

json CompensationJson(const Request& request, const std::optional<Compensation>& figures,
                      const std::optional<LineDesign>& line) {
    if (!figures) return nullptr;
    json object = {
        {"method", kMethod},
        {"metal_area", Shown(figures->metalArea)},
        {"modulus", Shown(figures->modulus)},
        {"modulus_source", request.pipe->modulusGiven ? "given" : std::string(kModulusSource)},
        {"allowable_range", Shown(figures->allowableRange)},
        {"cycle_factor", Shown(figures->cycleFactor)},
        {"restrained_hot", RestrainedJson(figures->hot)},
        {"restrained_cold", figures->cold ? RestrainedJson(*figures->cold) : json(nullptr)},
        {"stress_range", Shown(figures->stressRange)},
        {"cannot_be_restrained",
         figures->allowableRange ? json(figures->CannotBeRestrained()) : json(nullptr)},
        {"movement", Shown(figures->movement)},
        {"leg", Shown(figures->leg)},
        {"loop_width", Shown(figures->loopWidth)},
        {"loop_height", Shown(figures->loopHeight)}};
    const auto of = [&](auto get) { return line ? get(*line) : json(nullptr); };
    object["leg_force"] = of([](const LineDesign& l) { return Shown(l.legForce); });
    object["loop_force"] = of([](const LineDesign& l) { return Shown(l.loopForce); });
    object["leg_check"] = of([](const LineDesign& l) { return CheckJson(l.legCheck); });
    object["loop_check"] = of([](const LineDesign& l) { return CheckJson(l.loopCheck); });
    object["screen_leg"] = of([](const LineDesign& l) { return ScreenJson(l.screenLeg); });
    object["screen_loop"] = of([](const LineDesign& l) { return ScreenJson(l.screenLoop); });
    object["bellows"] = of([](const LineDesign& l) { return BellowsJson(l.bellows); });
    return object;
}

}  // namespace

json FigureJson(const std::optional<float>& value) {
    return value ? NumberFromText(SingleToText(*value)) : json(nullptr);
}

const char* FieldName(RequestField field) { return Row(field).key.data(); }

namespace {

// The request as understood: every input by its key, defaults filled in, null for none.
json RequestObject(const Request& request) {
    json object = json::object();
    // The line's inputs are members only of a request that has them.
    const bool line = request.line.has_value();
    for (const auto& row : Inputs()) {
        if (row.group == InputGroup::Line && !line) continue;
        const std::string text = UnderstoodText(request, row.field);
        const std::string key(row.key);
        if (text.empty()) {
            object[key] = nullptr;
        } else if (row.quantity == Quantity::Units || row.quantity == Quantity::Choice) {
            object[key] = text;
        } else if (row.quantity == Quantity::Material) {
            object[key] = request.material;
        } else {
            object[key] = NumberFromText(text);
        }
    }
    return object;
}

json WarningsJson(const Request& request) {
    json warnings = json::array();
    for (const auto& warning : request.warnings) {
        warnings.push_back({{"field", FieldName(warning.field)}, {"message", warning.message}});
    }
    return warnings;
}

}  // namespace

std::string JsonText(const json& document) {
    return document.dump(-1, ' ', false, json::error_handler_t::replace);
}

json ResultJson(const Catalogue& catalogue, const Evaluation& evaluation, const ResultText& text) {
    json document = {{"lines", text.lines}, {"status", text.status}};
    if (!text.error.empty()) document["error"] = text.error;
    json faults = json::array();
    for (const auto& fault : evaluation.faults) {
        faults.push_back({{"field", FieldName(fault.field)},
                          {"message", fault.message + fault.commandLineHint}});
    }
    document["faults"] = faults;
    if (!evaluation.request) {
        document["units"] = nullptr;
        document["figures"] = nullptr;
        return document;
    }
    const Request& request = *evaluation.request;
    const int m = request.material;
    document["units"] = request.units == Units::Si ? "si" : "us";
    document["material"] = {{"index", m},
                            {"name", catalogue.Name(m)},
                            {"grade", request.grade.empty() ? json(nullptr) : json(request.grade)}};
    document["request"] = RequestObject(request);
    document["warnings"] = WarningsJson(request);
    if (!evaluation.result) {
        document["figures"] = nullptr;
        return document;
    }
    const Result& result = *evaluation.result;
    const bool positive = request.HasPositiveLength();
    document["figures"] = {
        {"coefficient", NumberFromText(result.coefficient.valueText)},
        {"expansion", FigureJson(result.expansion)},
        {"rate", positive ? FigureJson(result.rate) : json(nullptr)},
        {"final_length", positive ? FigureJson(result.finalLength) : json(nullptr)},
        {"cold_expansion", FigureJson(result.coldExpansion)},
        {"movement", FigureJson(result.movement)},
    };
    json coefficients = {{"temperature", HitJson(catalogue, m, request.Celsius(request.temperature),
                                                 result.coefficient)}};
    coefficients["install"] =
        HitJson(catalogue, m, request.Celsius(request.install), result.installCoefficient);
    coefficients["cold"] =
        request.cold ? HitJson(catalogue, m, request.Celsius(*request.cold), result.coldCoefficient)
                     : json(nullptr);
    document["coefficients"] = coefficients;
    document["compensation"] = CompensationJson(request, evaluation.compensation, evaluation.line);
    return document;
}

json TableJson(const CoefficientTableView& table) {
    json materials = json::array();
    for (const auto& row : table.rows) {
        json points = json::array();
        for (const auto& point : row.points) {
            points.push_back({{"temperature", point.temperature},
                              {"value", point.value ? json(*point.value) : json(nullptr)}});
        }
        materials.push_back({{"index", row.id},
                             {"name", row.name},
                             {"user", row.reference.has_value()},
                             {"low", row.low},
                             {"high", row.high},
                             {"reference", row.reference.value_or(ReferenceTemperature)},
                             {"points", points},
                             {"grades", row.grades}});
    }
    return {{"grid", table.grid}, {"materials", materials}};
}

}  // namespace velmarith::tool
