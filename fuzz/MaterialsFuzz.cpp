// The materials-file reader on arbitrary bytes: never a crash or a sanitizer report; a file
// it accepts holds only sound materials (two to 256 points in strictly rising temperature,
// finite numbers, no name of the eight, no name twice, at most 64), and a file it refuses
// names at least one fault, each on a line the file has. A pipe of an accepted material, with
// the modulus it needs, gives finite figures or a refusal with its reason, and so does its
// line's design.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "app/shared/MaterialsText.h"
#include "engineering/Evaluation.h"
#include "runtime/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarith::engineering;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = velmarith::tool::ReadMaterialsText(bytes);
    if (const auto* faults = std::get_if<std::vector<MaterialFault>>(&read)) {
        if (faults->empty()) std::abort();
        const auto lines = static_cast<long long>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
        for (const auto& fault : *faults) {
            if (fault.line < 0 || fault.line > lines || fault.reason.empty()) std::abort();
        }
        return 0;
    }
    const auto& materials = std::get<std::vector<UserMaterial>>(read);
    if (materials.size() > kMostUserMaterials) std::abort();
    std::set<std::string> names;
    for (const auto& material : materials) {
        if (!names.insert(material.name).second || ParseMaterial(material.name)) std::abort();
        if (material.points.size() < 2 || material.points.size() > kMostPointsPerMaterial) {
            std::abort();
        }
        if (!std::isfinite(material.reference)) std::abort();
        for (std::size_t i = 0; i < material.points.size(); ++i) {
            const auto& point = material.points[i];
            if (!std::isfinite(point.temperature) || !std::isfinite(point.alpha)) std::abort();
            if (i > 0 && !(material.points[i - 1].temperature < point.temperature)) std::abort();
        }
    }
    // Every accepted material can be looked up over its whole range without a crash.
    const Catalogue catalogue(materials);
    for (int id = 8; id < catalogue.Count(); ++id) {
        const double low = catalogue.Low(id);
        const double high = catalogue.High(id);
        if (!catalogue.Lookup(id, low) || !catalogue.Lookup(id, high)) std::abort();
        // A grade belongs to one material: the one whose rows gave it.
        for (const auto& grade : catalogue.Record(id).grades) {
            const auto owner = catalogue.FindGrade(grade.name);
            if (!owner || owner->id != id) std::abort();
        }
        (void)catalogue.Lookup(id, low + (high - low) / 3);
        // A pipe of it, with the modulus a user material needs: figures that are numbers, or
        // a refusal that says why.
        RequestText text;
        text[RequestField::Material] = catalogue.Name(id);
        text[RequestField::Temperature] = velmarith::DoubleToText(high);
        text[RequestField::Length] = "1000";
        text[RequestField::Install] = velmarith::DoubleToText(low);
        text[RequestField::Diameter] = "100";
        text[RequestField::Wall] = "5";
        text[RequestField::Modulus] = "200000";
        text[RequestField::Allowable] = "200";
        const auto evaluation = Evaluate(catalogue, text);
        if (!evaluation.Sound() && evaluation.Refusal().empty()) std::abort();
        if (evaluation.compensation && !std::isfinite(evaluation.compensation->hot.stress)) {
            std::abort();
        }
        // The line's design over the same range: a leg and loop the layout offers, joints of a
        // rated movement from the bytes' own size, with pressure and weight.
        text[RequestField::GivenLeg] = "3000";
        text[RequestField::GivenLoopWidth] = "1000";
        text[RequestField::GivenLoopHeight] = "2000";
        text[RequestField::JointMovement] =
            velmarith::DoubleToText(1 + static_cast<double>(size % 97));
        text[RequestField::JointStiffness] = "500";
        text[RequestField::JointArea] = "150";
        text[RequestField::Pressure] = "1.6";
        text[RequestField::Friction] = size % 2 == 0 ? "0" : "0.3";
        text[RequestField::Weight] = "600";
        const auto line = Evaluate(catalogue, text);
        if (!line.Sound() && line.Refusal().empty()) std::abort();
        if (line.Sound()) {
            if (!line.line || !line.line->bellows) std::abort();
            const auto& b = *line.line->bellows;
            if (!(b.joints >= 1) || !std::isfinite(b.anchorForce) || b.anchorForce < 0) {
                std::abort();
            }
        }
        // The same line installed at the top of the range and working at its bottom: the
        // cold extreme; where the run shrinks, its joints are pre-set by half their movement.
        text[RequestField::Temperature] = velmarith::DoubleToText(low);
        text[RequestField::Install] = velmarith::DoubleToText(high);
        const auto below = Evaluate(catalogue, text);
        if (!below.Sound() && below.Refusal().empty()) std::abort();
        if (below.Sound() && below.compensation && below.line && below.line->bellows) {
            const auto& b = *below.line->bellows;
            if (!below.compensation->temperatureIsColdExtreme && low < high) std::abort();
            const bool shrinks = below.compensation->movement <= 0;
            if (shrinks && !(std::fabs(b.preset) <= b.movementPerJoint * (0.5 + 1e-6))) {
                std::abort();
            }
        }
    }
    return 0;
}
