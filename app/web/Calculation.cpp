// velmarith-calc's calculations for the page's workbench: the same evaluation, rendered by the
// same code, handed to the page as JSON; and the user's own materials, which the page keeps.
#include <emscripten.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/shared/MaterialsText.h"
#include "app/shared/ResultJson.h"
#include "app/web/Sheet.h"
#include "engineering/Compensation.h"
#include "runtime/NumberText.h"

namespace {

using namespace velmarith;
using namespace velmarith::engineering;
using Json = nlohmann::ordered_json;

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

std::vector<UserMaterial> kept;

// Made on first use: the tables it copies are another file's statics.
std::unique_ptr<Catalogue>& CatalogueSlot() {
    static std::unique_ptr<Catalogue> slot = std::make_unique<Catalogue>();
    return slot;
}
const Catalogue& Materials() { return *CatalogueSlot(); }
void Rebuild() { CatalogueSlot() = std::make_unique<Catalogue>(kept); }

// The request's fields, one a line: material, temperature, length, installation and cold
// temperature (empty: not given), units ("si" or "us"), then the pipe's, each empty when not
// given: outside diameter, wall, modulus, SA, Sc, Sh, cycles.
RequestText RequestOf(std::vector<std::string>& fields) {
    constexpr std::size_t kFields = 13;
    fields.resize(kFields);
    const auto given = [&](std::size_t i) {
        return fields[i].empty() ? std::nullopt : std::optional<std::string>(fields[i]);
    };
    RequestText text;
    text.material = fields[0];
    text.temperature = fields[1];
    text.length = fields[2];
    text.install = given(3);
    text.cold = given(4);
    text.units = fields[5] == "us" ? Units::Us : Units::Si;
    text.pipe = {given(6), given(7), given(8), given(9), given(10), given(11), given(12)};
    return text;
}

const char* Answer(std::string& slot, const Json& document) {
    slot = tool::JsonText(document);
    return slot.c_str();
}

}  // namespace

extern "C" {

// The options ("rate", "final", "explain", separated by spaces), then the request's fields
// as RequestOf reads them. The answer: velmarith-calc --json's document.
EMSCRIPTEN_KEEPALIVE const char* velmarith_calculate(const char* request) {
    static std::string json;
    auto fields = Split(request, '\n');
    const std::string flags = fields.front();
    fields.erase(fields.begin());
    tool::OutputOptions options;
    for (const auto& flag : Split(flags, ' ')) {
        options.rate |= flag == "rate";
        options.finalLength |= flag == "final";
        options.explain |= flag == "explain";
    }
    const auto evaluation = Evaluate(Materials(), RequestOf(fields));
    const auto text = tool::RenderText(Materials(), evaluation, options);
    return Answer(json, tool::ResultJson(Materials(), evaluation, text));
}

// The workbench's form, the fields of RequestOf. The answer: the sheet as JSON.
EMSCRIPTEN_KEEPALIVE const char* velmarith_sheet(const char* request) {
    static std::string json;
    auto fields = Split(request, '\n');
    const web::Sheet sheet = web::MakeSheet(Materials(), RequestOf(fields));
    Json faults = Json::object();
    for (const auto& fault : sheet.faults) {
        // One message a field: the first, which is what makes the others moot.
        const char* field = tool::FieldName(fault.field);
        if (!faults.contains(field)) faults[field] = fault.message;
    }
    Json rows = Json::array();
    for (const auto& row : sheet.table.rows) {
        using Kind = web::SheetTable::Row::Kind;
        rows.push_back({{"kind", row.kind == Kind::Heading   ? "heading"
                                 : row.kind == Kind::Columns ? "columns"
                                                             : "material"},
                        {"cells", row.cells}});
    }
    Json numbers = Json::object();
    for (const auto& [id, number] : sheet.numbers) numbers[id] = number;
    Json roundings = Json::object();
    for (const auto& [field, note] : sheet.roundings) roundings[tool::FieldName(field)] = note;
    return Answer(json, {{"faults", faults},
                         {"notice", sheet.notice},
                         {"coefficientLine", sheet.coefficientLine},
                         {"installLine", sheet.installLine},
                         {"expansionLine", sheet.expansionLine},
                         {"rate", sheet.rate},
                         {"finalLength", sheet.finalLength},
                         {"coldExpansion", sheet.coldExpansion},
                         {"movement", sheet.movement},
                         {"alpha", sheet.alpha},
                         {"numbers", numbers},
                         {"roundings", roundings},
                         {"rateLabel", sheet.rateLabel},
                         {"defaultInstall", sheet.defaultInstall},
                         {"explain", sheet.explain},
                         {"compensation", sheet.compensation},
                         {"sketch", sheet.sketch},
                         {"plot", sheet.plot},
                         {"table",
                          {{"header", sheet.table.header},
                           {"rows", rows},
                           {"notes", sheet.table.notes},
                           {"row", sheet.table.row},
                           {"cells", sheet.table.cells}}}});
}

// A material as velmarith-calc's -m reads it (a position in any form a number takes, a list
// text, a user material's name): its value in the form's list, or "" when there is none.
EMSCRIPTEN_KEEPALIVE const char* velmarith_find_material(const char* text) {
    static std::string value;
    const auto id = Materials().Find(text);
    value = !id ? "" : Catalogue::IsBuiltIn(*id) ? std::to_string(*id) : Materials().Name(*id);
    return value.c_str();
}

// A typed figure in the other units, so that it goes on describing the same pipe: kind "t"
// a temperature, "l" a length, "s" a stress; to "si" or "us". To 7 significant digits; text
// that is no number comes back as it is.
EMSCRIPTEN_KEEPALIVE const char* velmarith_convert(const char* kind, const char* text,
                                                   const char* to) {
    static std::string converted;
    converted = text;
    const auto value = TextToDouble(text);
    if (!value) return converted.c_str();
    const bool us = std::string_view(to) == "us";
    const std::string_view k(kind);
    double result = *value;
    if (k == "t") result = us ? CelsiusToFahrenheit(result) : FahrenheitToCelsius(result);
    if (k == "l") result = us ? result / kMillimetresPerInch : result * kMillimetresPerInch;
    if (k == "s") result = us ? result / kMpaPerPsi : result * kMpaPerPsi;
    converted = DoubleToShortText(result);
    return converted.c_str();
}

// Every material the form offers, the eight and then the user's:
//   [{"value": "0", "name": "...", "si": "-200 ~ 700 摄氏度", "us": "...", "user": false}, ...]
EMSCRIPTEN_KEEPALIVE const char* velmarith_materials() {
    static std::string json;
    Json list = Json::array();
    for (int id = 0; id < Materials().Count(); ++id) {
        const bool user = !Catalogue::IsBuiltIn(id);
        list.push_back({{"value", user ? Materials().Name(id) : std::to_string(id)},
                        {"name", Materials().Name(id)},
                        {"si", RangeText(Materials(), id, Units::Si)},
                        {"us", RangeText(Materials(), id, Units::Us)},
                        {"user", user}});
    }
    return Answer(json, list);
}

// A materials file's bytes, read as velmarith-calc --materials reads one. Its materials join
// the kept ones, a material of the same name replacing the kept one. The answer:
//   {"faults": ["FILE 第N行: reason", ...], "added": ["name", ...]}
EMSCRIPTEN_KEEPALIVE const char* velmarith_materials_add(const char* fileName,
                                                         const unsigned char* bytes, int size) {
    static std::string json;
    const std::string_view text(reinterpret_cast<const char*>(bytes),
                                static_cast<std::size_t>(std::max(size, 0)));
    auto read = tool::ReadMaterialsText(text);
    std::vector<std::string> faults;
    std::vector<std::string> added;
    std::vector<std::string> replaced;
    if (auto* found = std::get_if<std::vector<MaterialFault>>(&read)) {
        faults = tool::FaultLines(fileName, *found);
    } else {
        auto merged = kept;
        for (auto& material : std::get<std::vector<UserMaterial>>(read)) {
            added.push_back(material.name);
            const auto same = std::find_if(merged.begin(), merged.end(),
                                           [&](const auto& m) { return m.name == material.name; });
            if (same != merged.end()) {
                replaced.push_back(same->name);
                *same = std::move(material);
            } else {
                merged.push_back(std::move(material));
            }
        }
        if (added.empty()) {
            faults.push_back(std::string(fileName) + ": 文件中没有材料 (只有表头, 没有表点)");
        } else if (merged.size() > kMostUserMaterials) {
            faults.push_back(std::string(fileName) + ": 自定义材料最多 " +
                             std::to_string(kMostUserMaterials) + " 种, 加上已有的共 " +
                             std::to_string(merged.size()) + " 种");
            added.clear();
            replaced.clear();
        } else {
            kept = std::move(merged);
            Rebuild();
        }
    }
    return Answer(json, {{"faults", faults}, {"added", added}, {"replaced", replaced}});
}

EMSCRIPTEN_KEEPALIVE void velmarith_materials_remove(const char* name) {
    std::erase_if(kept, [&](const UserMaterial& m) { return m.name == name; });
    Rebuild();
}

// The kept materials as a materials file (°C, UTF-8), to store and to export.
EMSCRIPTEN_KEEPALIVE const char* velmarith_materials_csv() {
    static std::string csv;
    csv = kept.empty() ? std::string() : tool::MaterialsCsv(kept);
    return csv.c_str();
}

}  // extern "C"
