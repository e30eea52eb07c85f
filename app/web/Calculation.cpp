// velmarith-calc's calculations for the page's workbench: the same lines, computed by the same
// code, handed to the page as JSON; and the user's own materials, which the page keeps.
#include <emscripten.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/calc/MaterialsFile.h"
#include "app/calc/OneShot.h"
#include "app/web/Json.h"
#include "app/web/Sheet.h"
#include "engineering/MaterialFile.h"

namespace {

using namespace velmarith;
using namespace velmarith::engineering;
using web::Quoted;
using web::QuotedList;

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

Units UnitsOf(std::string_view text) { return text == "us" ? Units::Us : Units::Si; }

const char* FieldName(RequestField field) {
    switch (field) {
        case RequestField::Material:
            return "material";
        case RequestField::Temperature:
            return "temperature";
        case RequestField::Length:
            return "length";
        case RequestField::Install:
            return "install";
        case RequestField::Cold:
            return "cold";
    }
    return "material";
}

}  // namespace

extern "C" {

// The request as seven fields, one a line: material, temperature, length, installation
// temperature and cold temperature (empty: not given), units ("si" or "us"), and the options
// ("rate", "final", "explain", separated by spaces). The answer, as JSON:
//   {"lines": [...], "error": "...", "status": 0}
EMSCRIPTEN_KEEPALIVE const char* velmarith_calculate(const char* request) {
    static std::string json;
    auto fields = Split(request, '\n');
    fields.resize(7);
    tool::OneShotOptions options;
    options.material = fields[0];
    options.temperature = fields[1];
    options.length = fields[2];
    if (!fields[3].empty()) options.install = fields[3];
    if (!fields[4].empty()) options.cold = fields[4];
    options.units = UnitsOf(fields[5]);
    for (const auto& flag : Split(fields[6], ' ')) {
        options.rate |= flag == "rate";
        options.finalLength |= flag == "final";
        options.explain |= flag == "explain";
    }
    const auto outcome = tool::OneShotLines(Materials(), options);
    json = "{\"lines\":" + QuotedList(outcome.lines) + ",\"error\":" + Quoted(outcome.error) +
           ",\"status\":" + std::to_string(outcome.status) + "}";
    return json.c_str();
}

// The workbench's form, six fields a line: material, temperature, length, installation
// temperature, cold temperature, units. The answer: the sheet as JSON.
EMSCRIPTEN_KEEPALIVE const char* velmarith_sheet(const char* request) {
    static std::string json;
    auto fields = Split(request, '\n');
    fields.resize(6);
    web::SheetInput input{fields[0], fields[1], fields[2],
                          fields[3], fields[4], UnitsOf(fields[5])};
    const web::Sheet sheet = web::MakeSheet(Materials(), input);
    json = "{\"faults\":{";
    std::set<RequestField> shown;
    for (const auto& fault : sheet.faults) {
        // One message a field: the first, which is what makes the others moot.
        if (!shown.insert(fault.field).second) continue;
        json += (shown.size() > 1 ? "," : "") + Quoted(FieldName(fault.field)) + ":" +
                Quoted(fault.message);
    }
    json += "},\"notice\":" + Quoted(sheet.notice) +
            ",\"coefficientLine\":" + Quoted(sheet.coefficientLine) +
            ",\"installLine\":" + Quoted(sheet.installLine) +
            ",\"expansionLine\":" + Quoted(sheet.expansionLine) +
            ",\"rate\":" + Quoted(sheet.rate) + ",\"finalLength\":" + Quoted(sheet.finalLength) +
            ",\"coldExpansion\":" + Quoted(sheet.coldExpansion) +
            ",\"movement\":" + Quoted(sheet.movement) +
            ",\"explain\":" + QuotedList(sheet.explain) + ",\"plot\":" + Quoted(sheet.plot) +
            ",\"table\":{\"rows\":[";
    for (std::size_t r = 0; r < sheet.table.rows.size(); ++r) {
        json += (r > 0 ? "," : "") + QuotedList(sheet.table.rows[r]);
    }
    json += "],\"row\":" + std::to_string(sheet.table.row) + ",\"cells\":[";
    for (std::size_t i = 0; i < sheet.table.cells.size(); ++i) {
        json += (i > 0 ? "," : "") + std::to_string(sheet.table.cells[i]);
    }
    json += "]}}";
    return json.c_str();
}

// Every material the form offers, the eight and then the user's:
//   [{"value": "0", "name": "...", "si": "-200 ~ 700 摄氏度", "us": "...", "user": false}, ...]
EMSCRIPTEN_KEEPALIVE const char* velmarith_materials() {
    static std::string json;
    json = "[";
    for (int id = 0; id < Materials().Count(); ++id) {
        const bool user = !Catalogue::IsBuiltIn(id);
        json += std::string(id > 0 ? "," : "") +
                "{\"value\":" + Quoted(user ? Materials().Name(id) : std::to_string(id)) +
                ",\"name\":" + Quoted(Materials().Name(id)) +
                ",\"si\":" + Quoted(RangeText(Materials(), id, Units::Si)) +
                ",\"us\":" + Quoted(RangeText(Materials(), id, Units::Us)) +
                ",\"user\":" + (user ? "true" : "false") + "}";
    }
    json += "]";
    return json.c_str();
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
    if (auto* found = std::get_if<std::vector<MaterialFault>>(&read)) {
        faults = tool::FaultLines(fileName, *found);
    } else {
        auto merged = kept;
        for (auto& material : std::get<std::vector<UserMaterial>>(read)) {
            added.push_back(material.name);
            const auto same = std::find_if(merged.begin(), merged.end(),
                                           [&](const auto& m) { return m.name == material.name; });
            if (same != merged.end()) {
                *same = std::move(material);
            } else {
                merged.push_back(std::move(material));
            }
        }
        if (merged.size() > kMostUserMaterials) {
            faults.push_back(std::string(fileName) + ": 自定义材料最多 " +
                             std::to_string(kMostUserMaterials) + " 种, 加上已有的共 " +
                             std::to_string(merged.size()) + " 种");
            added.clear();
        } else {
            kept = std::move(merged);
            Rebuild();
        }
    }
    json = "{\"faults\":" + QuotedList(faults) + ",\"added\":" + QuotedList(added) + "}";
    return json.c_str();
}

EMSCRIPTEN_KEEPALIVE void velmarith_materials_remove(const char* name) {
    std::erase_if(kept, [&](const UserMaterial& m) { return m.name == name; });
    Rebuild();
}

// The kept materials as a materials file (°C, UTF-8), to store and to export.
EMSCRIPTEN_KEEPALIVE const char* velmarith_materials_csv() {
    static std::string csv;
    csv = kept.empty() ? std::string() : MaterialsCsv(kept);
    return csv.c_str();
}

}  // extern "C"
