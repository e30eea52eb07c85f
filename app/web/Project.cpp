// A project for the workbench, through the shared project file and summary: the file read
// and written, each segment's summary row and its figures as the printed report lists them,
// the summary as CSV, and a batch's rows taken in as segments.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/shared/CsvReader.h"
#include "app/shared/FigureTable.h"
#include "app/shared/ProjectFile.h"
#include "app/shared/ProjectSummary.h"
#include "app/shared/RequestJson.h"
#include "app/shared/ResultJson.h"
#include "app/shared/RowLabels.h"
#include "app/shared/TextEncoding.h"
#include "engineering/Evaluation.h"
#include "engineering/MaterialRecords.h"

namespace velmarith::web {
const engineering::Catalogue& KeptMaterials();
const std::vector<engineering::UserMaterial>& KeptUserMaterials();
bool KeepMaterials(const std::vector<engineering::UserMaterial>& materials);
}  // namespace velmarith::web

namespace {

using namespace velmarith;
using namespace velmarith::engineering;
using Json = nlohmann::ordered_json;

// Segments beyond this many in one batch are not taken: a project is a job's lines.
constexpr std::size_t kMostRows = 500;

Json RowJson(const tool::SummaryRow& row) {
    return {{"line", row.line},         {"material", row.material},
            {"hot", row.hot},           {"cold", row.cold},
            {"install", row.install},   {"length", row.length},
            {"movement", row.movement}, {"compensation", row.compensation},
            {"size", row.size},         {"anchorLoad", row.anchorLoad},
            {"screen", row.screen},     {"fault", row.fault}};
}

// The kept materials a project's segments name (by name or by a grade), to embed.
void EmbedMaterials(tool::Project& project) {
    project.materials.clear();
    for (const auto& material : web::KeptUserMaterials()) {
        bool used = false;
        for (const auto& segment : project.segments) {
            const std::string_view named = segment.inputs.Text(RequestField::Material);
            used = used || named == material.name;
            for (const auto& grade : material.grades) used = used || named == grade;
        }
        if (used) project.materials.push_back({material});
    }
}

const char* Answer(std::string& slot, const Json& document) {
    slot = tool::JsonText(document);
    return slot.c_str();
}

Json FaultJson(const tool::ProjectFault& fault) {
    return {{"fault", fault.message}, {"line", fault.line}, {"column", fault.column}};
}

}  // namespace

extern "C" {

// A project file's text. Its materials join the kept ones. The answer: the project as the
// file is written back ({"document": {...}}), with each segment's mark, or why it is refused:
//   {"fault": "...", "line": 3, "column": 7}
EMSCRIPTEN_KEEPALIVE const char* velmarith_project_read(const char* text) {
    static std::string json;
    auto read = tool::ReadProject(text);
    if (auto* fault = std::get_if<tool::ProjectFault>(&read))
        return Answer(json, FaultJson(*fault));
    auto& project = std::get<tool::Project>(read);
    std::vector<UserMaterial> materials;
    for (const auto& entry : project.materials) materials.push_back(entry.material);
    if (!web::KeepMaterials(materials)) {
        return Answer(json, {{"fault", "自定义材料过多: 加上已有的超过 " +
                                           std::to_string(kMostUserMaterials) + " 种"},
                             {"line", 0},
                             {"column", 0}});
    }
    Json marks = Json::array();
    for (const auto& mark : tool::MarkSegments(web::KeptMaterials(), project)) {
        marks.push_back({{"fault", mark.fault}, {"duplicateLine", mark.duplicateLine}});
    }
    return Answer(json, {{"document", Json::parse(tool::WriteProject(project))}, {"marks", marks}});
}

// The workbench's project as a document of the file's shape (its materials left to this):
// the file's text, with the kept materials its segments name, or why it cannot be written.
//   {"text": "..."} or {"fault": "...", ...}
EMSCRIPTEN_KEEPALIVE const char* velmarith_project_write(const char* document) {
    static std::string json;
    auto read = tool::ReadProject(document);
    if (auto* fault = std::get_if<tool::ProjectFault>(&read))
        return Answer(json, FaultJson(*fault));
    auto& project = std::get<tool::Project>(read);
    EmbedMaterials(project);
    return Answer(json, {{"text", tool::WriteProject(project)}});
}

// The summary of a project file's text as CSV for Excel, as velmarith-calc --project
// --csv-out writes it; "" when the text is no project.
EMSCRIPTEN_KEEPALIVE const char* velmarith_project_summary_csv(const char* text) {
    static std::string csv;
    auto read = tool::ReadProject(text);
    csv.clear();
    if (std::holds_alternative<tool::ProjectFault>(read)) return csv.c_str();
    const auto& project = std::get<tool::Project>(read);
    const Catalogue catalogue = tool::ProjectCatalogue(project);
    const auto marks = tool::MarkSegments(catalogue, project);
    std::vector<tool::SummaryRow> rows;
    for (std::size_t i = 0; i < project.segments.size(); ++i) {
        const auto request = tool::SegmentRequest(catalogue, project, project.segments[i]);
        std::optional<Evaluation> evaluation;
        if (const auto* text = std::get_if<RequestText>(&request)) {
            evaluation = Evaluate(catalogue, *text, nullptr, Detail::Figures);
        }
        rows.push_back(tool::SummaryOf(catalogue, project.segments[i], marks[i],
                                       evaluation ? &*evaluation : nullptr));
    }
    csv = tool::SummaryCsv(rows, project.units);
    return csv.c_str();
}

// One segment: its request as velmarith_sheet reads it, its line number, and the members of
// its inputs that are no input (a JSON object, "{}" for none). The answer:
//   {"sound": true, "refusal": "", "header": ["管线号", ...],
//    "row": {"line", "material", "hot", "cold", "install", "length", "movement",
//            "compensation", "size", "anchorLoad", "screen", "fault"},
//    "figures": [["平均线膨胀系数 (热态)", "α(T)", "12.55", "10⁻⁶/°C"], ...],
//    "notes": ["管道与补偿: 导向悬臂法, 估算, 不代替柔性分析", ...]}
EMSCRIPTEN_KEEPALIVE const char* velmarith_segment(const char* requestJson, const char* line,
                                                   const char* otherInputs) {
    static std::string json;
    const Catalogue& catalogue = web::KeptMaterials();
    tool::Project project;
    tool::ProjectSegment segment;
    segment.line = line;
    segment.inputs = tool::ReadRequestJson(requestJson).request;
    // What a project file's segment held besides the inputs: its fault, as when read.
    segment.otherInputs = Json::parse(otherInputs, nullptr, false);
    if (!segment.otherInputs.is_object()) segment.otherInputs = Json::object();
    project.units = segment.inputs.UnitSystem();
    tool::SegmentMark mark;
    std::optional<Evaluation> evaluation;
    const auto request = tool::SegmentRequest(catalogue, project, segment);
    if (const auto* fault = std::get_if<std::string>(&request)) mark.fault = *fault;
    if (const auto* text = std::get_if<RequestText>(&request))
        evaluation = Evaluate(catalogue, *text);
    const tool::SummaryRow row =
        tool::SummaryOf(catalogue, segment, mark, evaluation ? &*evaluation : nullptr);
    Json figures = Json::array();
    Json notes = Json::array();
    if (evaluation) {
        for (const auto& figure : tool::FigureTable(catalogue, *evaluation)) {
            figures.push_back({figure.quantity, figure.symbol, figure.value, figure.unit});
        }
        for (auto& note : tool::FigureNotes(*evaluation)) notes.push_back(std::move(note));
    }
    const bool sound = evaluation && evaluation->Sound();
    return Answer(json, {{"sound", sound},
                         {"refusal", row.fault},
                         {"header", tool::SummaryHeader(project.units)},
                         {"row", RowJson(row)},
                         {"figures", figures},
                         {"notes", notes}});
}

// A batch's CSV (UTF-8 or GB18030) as segments: its header names the inputs as the batch's
// does, a column 管线号 (or line) the segment's line number and 说明 (or description) what it
// is. The answer:
//   {"faults": ["第N行: ..."],
//    "segments": [{"line": "...", "description": "...", "inputs": {"temperature": ...}}]}
EMSCRIPTEN_KEEPALIVE const char* velmarith_csv_segments(const unsigned char* bytes, int size) {
    static std::string json;
    std::string text(reinterpret_cast<const char*>(bytes),
                     static_cast<std::size_t>(std::max(size, 0)));
    if (text.starts_with(tool::kUtf8Bom)) text.erase(0, tool::kUtf8Bom.size());
    Json faults = Json::array();
    Json segments = Json::array();
    if (tool::DetectEncoding(text) == tool::TextEncoding::Gb18030) {
        const auto converted =
            tool::EncodingConverter(tool::TextEncoding::Gb18030, tool::TextEncoding::Utf8)
                .Convert(text);
        if (!converted) {
            return Answer(json, {{"faults", {"文件既不是 UTF-8 也不是 GB18030 编码"}},
                                 {"segments", segments}});
        }
        text = *converted;
    }
    std::vector<std::string> keys;  // by column: an input's key, "line", or "" (not known)
    bool header = true;
    tool::CsvReader reader(4096, [&](const tool::CsvRecord& record) {
        const std::string where = "第" + std::to_string(record.line) + "行: ";
        if (!record.error.empty()) {
            faults.push_back(where + std::string(record.error));
            return;
        }
        const auto& fields = *record.fields;
        if (header) {
            header = false;
            for (std::size_t i = 0; i < record.fieldCount; ++i) {
                const std::string& name = fields[i];
                if (const auto label = tool::RowLabelNamed(name)) {
                    keys.emplace_back(tool::RowLabelName(*label));
                } else if (const InputRow* row = FindInput(name)) {
                    keys.emplace_back(row->key);
                } else {
                    keys.emplace_back();
                    faults.push_back(where + "不认识的列 " + name + ", 已忽略");
                }
            }
            return;
        }
        if (record.fieldCount == 1 && fields[0].empty()) return;  // an empty line
        if (segments.size() >= kMostRows) {
            if (segments.size() == kMostRows) faults.push_back(where + "行数过多, 其后的行未导入");
            return;
        }
        Json inputs = Json::object();
        std::string line;
        std::string description;
        for (std::size_t i = 0; i < record.fieldCount && i < keys.size(); ++i) {
            if (keys[i] == tool::RowLabelName(tool::RowLabel::Line)) {
                line = fields[i];
            } else if (keys[i] == tool::RowLabelName(tool::RowLabel::Description)) {
                description = fields[i];
            } else if (!keys[i].empty() && !fields[i].empty()) {
                inputs[keys[i]] = fields[i];
            }
        }
        segments.push_back({{"line", line}, {"description", description}, {"inputs", inputs}});
    });
    reader.Feed(text);
    reader.Finish();
    if (header) faults.push_back("文件是空的");
    return Answer(json, {{"faults", faults}, {"segments", segments}});
}

}  // extern "C"
