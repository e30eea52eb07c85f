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
#include "app/shared/RequestJson.h"
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

// The request as the page hands it on: one object of the inputs by their keys (see
// velmarith_inputs), each a string; an empty one is not given. Keys it does not know are
// left out: the page names them to the user.
RequestText RequestOf(const char* request) { return tool::ReadRequestJson(request).request; }

const char* Answer(std::string& slot, const Json& document) {
    slot = tool::JsonText(document);
    return slot.c_str();
}

}  // namespace

namespace velmarith::web {
// The built-in and the kept materials, for the project's segments.
const Catalogue& KeptMaterials() { return Materials(); }
const std::vector<UserMaterial>& KeptUserMaterials() { return kept; }
// A project file's materials join the kept ones, each replacing a kept one of its name.
bool KeepMaterials(const std::vector<UserMaterial>& materials) {
    auto merged = kept;
    for (const auto& material : materials) {
        const auto same = std::find_if(merged.begin(), merged.end(),
                                       [&](const auto& m) { return m.name == material.name; });
        if (same != merged.end())
            *same = material;
        else
            merged.push_back(material);
    }
    if (merged.size() > kMostUserMaterials) return false;
    kept = std::move(merged);
    Rebuild();
    return true;
}
}  // namespace velmarith::web

extern "C" {

// The output's options ("rate", "final", "explain", separated by spaces) and the request as
// RequestOf reads it. The answer: velmarith-calc --json's document.
EMSCRIPTEN_KEEPALIVE const char* velmarith_calculate(const char* flags, const char* request) {
    static std::string json;
    tool::OutputOptions options;
    for (const auto& flag : Split(flags, ' ')) {
        options.rate |= flag == "rate";
        options.finalLength |= flag == "final";
        options.explain |= flag == "explain";
    }
    const auto evaluation = Evaluate(Materials(), RequestOf(request));
    const auto text = tool::RenderText(Materials(), evaluation, options);
    return Answer(json, tool::ResultJson(Materials(), evaluation, text));
}

// The workbench's form, as RequestOf reads it. The answer: the sheet as JSON.
EMSCRIPTEN_KEEPALIVE const char* velmarith_sheet(const char* request) {
    static std::string json;
    const web::Sheet sheet = web::MakeSheet(Materials(), RequestOf(request));
    Json faults = Json::object();
    for (const auto& fault : sheet.faults) {
        // One message a field: the first, which is what makes the others moot.
        const char* field = tool::FieldName(fault.field);
        if (!faults.contains(field)) faults[field] = fault.message;
    }
    Json warnings = Json::object();
    for (const auto& warning : sheet.warnings) {
        const char* field = tool::FieldName(warning.field);
        if (!warnings.contains(field)) warnings[field] = warning.message;
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
    Json design = Json::array();
    for (const auto& part : sheet.design) {
        Json figures = Json::array();
        for (const auto& figure : part.figures) {
            figures.push_back({{"id", figure.id},
                               {"label", figure.label},
                               {"value", figure.value},
                               {"unit", figure.unit},
                               {"number", figure.number}});
        }
        design.push_back({{"choice", part.choice},
                          {"title", part.title},
                          {"figures", figures},
                          {"notes", part.notes}});
    }
    return Answer(json, {{"faults", faults},
                         {"pipeFault", sheet.pipeFault},
                         {"warnings", warnings},
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
                         {"design", design},
                         {"sketch", sheet.sketch},
                         {"bellowsSketch", sheet.bellowsSketch},
                         {"plot", sheet.plot},
                         {"table",
                          {{"header", sheet.table.header},
                           {"rows", rows},
                           {"notes", sheet.table.notes},
                           {"row", sheet.table.row},
                           {"cells", sheet.table.cells}}}});
}

// The table of inputs, from which the page builds its form, its link and its requests:
//   [{"key": "temperature", "link": "t", "option": "--temperature", "label": "温度",
//     "symbol": "T", "note": "最热状态", "quantity": "temperature", "si": "摄氏度",
//     "us": "°F", "required": true, "group": "calculation", "defaultSi": "", "defaultUs": "",
//     "formPlace": 1, "formLead": "", "blank": ""},
//    ...]
EMSCRIPTEN_KEEPALIVE const char* velmarith_inputs() {
    static std::string json;
    if (!json.empty()) return json.c_str();
    constexpr const char* kQuantities[] = {
        "material", "temperature", "length", "stress",    "modulus",           "count",
        "units",    "pressure",    "area",   "stiffness", "weight_per_length", "ratio",
        "choice"};
    static_assert(std::size(kQuantities) == static_cast<std::size_t>(Quantity::Choice) + 1);
    Json rows = Json::array();
    for (const auto& row : Inputs()) {
        rows.push_back({{"key", row.key},
                        {"link", row.link},
                        {"option", row.option},
                        {"label", row.label},
                        {"symbol", row.symbol},
                        {"note", row.note},
                        {"quantity", kQuantities[static_cast<int>(row.quantity)]},
                        {"si", UnitName(row.quantity, Units::Si)},
                        {"us", UnitName(row.quantity, Units::Us)},
                        {"required", row.required},
                        {"group", row.group == InputGroup::Pipe   ? "pipe"
                                  : row.group == InputGroup::Line ? "line"
                                                                  : "calculation"},
                        {"defaultSi", DefaultText(row.field, Units::Si)},
                        {"defaultUs", DefaultText(row.field, Units::Us)},
                        {"formPlace", row.formPlace},
                        {"formLead", row.formLead},
                        {"blank", row.blank}});
    }
    return Answer(json, rows);
}

// A material as velmarith-calc's -m reads it (a position in any form a number takes, a list
// text, a user material's name, a grade): its value in the form's list (a grade's own
// spelling), or "" when there is none.
EMSCRIPTEN_KEEPALIVE const char* velmarith_find_material(const char* text) {
    static std::string value;
    const auto choice = Materials().Resolve(text);
    value = !choice                            ? ""
            : !choice->grade.empty()           ? choice->grade
            : Catalogue::IsBuiltIn(choice->id) ? std::to_string(choice->id)
                                               : Materials().Name(choice->id);
    return value.c_str();
}

// A typed figure of an input (by its key) in the other units, so that it goes on describing
// the same pipe; to "si" or "us". To 7 significant digits; text that is no number, and an
// input with no unit, comes back as it is.
EMSCRIPTEN_KEEPALIVE const char* velmarith_convert(const char* key, const char* text,
                                                   const char* to) {
    static std::string converted;
    converted = text;
    const InputRow* row = FindInput(key);
    const auto value = TextToDouble(text);
    if (!value || row == nullptr) return converted.c_str();
    const bool us = std::string_view(to) == "us";
    double result = *value;
    if (row->quantity == Quantity::Temperature) {
        result = us ? CelsiusToFahrenheit(result) : FahrenheitToCelsius(result);
    } else {
        const double factor = SiPerUnit(row->quantity, Units::Us);
        if (factor == 1) return converted.c_str();  // no unit
        result = us ? result / factor : result * factor;
    }
    converted = DoubleToShortText(result);
    return converted.c_str();
}

// Every material the form offers, the eight and then the user's, with the grades each covers:
//   [{"value": "0", "name": "...", "si": "-200 ~ 700 摄氏度", "us": "...", "user": false,
//     "grades": ["Q345R", ...]}, ...]
EMSCRIPTEN_KEEPALIVE const char* velmarith_materials() {
    static std::string json;
    Json list = Json::array();
    for (int id = 0; id < Materials().Count(); ++id) {
        const bool user = !Catalogue::IsBuiltIn(id);
        Json grades = Json::array();
        for (const auto& grade : Materials().Record(id).grades) grades.push_back(grade.name);
        list.push_back({{"value", user ? Materials().Name(id) : std::to_string(id)},
                        {"name", Materials().Name(id)},
                        {"si", RangeText(Materials(), id, Units::Si)},
                        {"us", RangeText(Materials(), id, Units::Us)},
                        {"user", user},
                        {"grades", grades}});
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
