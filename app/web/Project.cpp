// A project's segments for the workbench: each segment's summary row and its figures as the
// printed report lists them, and a batch's rows taken in as segments.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/shared/CompensationText.h"
#include "app/shared/CsvReader.h"
#include "app/shared/FigureTable.h"
#include "app/shared/InputValues.h"
#include "app/shared/RequestJson.h"
#include "app/shared/ResultJson.h"
#include "app/shared/TextEncoding.h"
#include "app/web/Sheet.h"
#include "engineering/Evaluation.h"
#include "runtime/NumberText.h"

namespace {

using namespace velmarith;
using namespace velmarith::engineering;
using Json = nlohmann::ordered_json;

// Segments beyond this many in one batch are not taken: a project is a job's lines.
constexpr std::size_t kMostRows = 500;

std::string WithUnit(const std::string& value, std::string_view unit) {
    return value.empty() ? value : value + " " + std::string(unit);
}

// The compensation a segment's inputs choose, its size and the load on its anchor: joints
// when they are rated, a loop or leg the layout offers, else the leg the movement needs.
struct Choice {
    std::string what, size, anchor;
};

Choice ChoiceOf(const Request& request, const Evaluation& evaluation) {
    if (!evaluation.compensation) return {};
    const Compensation& figures = *evaluation.compensation;
    const bool si = request.units == Units::Si;
    const std::string length(LengthUnit(request.units));
    const std::string force = si ? "kN" : "lbf";
    const auto lengthText = [&](double value) { return tool::Figure(value) + " " + length; };
    const auto forceText = [&](const std::optional<double>& value) {
        return value ? tool::Figure(*value) + " " + force : std::string();
    };
    if (evaluation.line) {
        const LineDesign& line = *evaluation.line;
        if (line.bellows) {
            const Bellows& b = *line.bellows;
            return {"伸缩节", "n = " + tool::Figure(b.joints) + ", 预变形 " + lengthText(b.preset),
                    forceText(b.anchorForce)};
        }
        if (line.loopCheck) {
            const LegCheck& c = *line.loopCheck;
            return {"Π 形补偿器 (给定)",
                    "W = " + lengthText(*c.width) + ", H = " + lengthText(*c.height),
                    forceText(c.force)};
        }
        if (line.legCheck) {
            return {"L 形弯 (给定)", "Lg = " + lengthText(line.legCheck->length),
                    forceText(line.legCheck->force)};
        }
        if (figures.leg)
            return {"L 形弯", "Lg = " + lengthText(*figures.leg), forceText(line.legForce)};
    }
    if (figures.leg) return {"L 形弯", "Lg = " + lengthText(*figures.leg), ""};
    return {"两端固定", "", forceText(figures.hot.force)};
}

std::string ScreenText(const Evaluation& evaluation) {
    if (!evaluation.line) return "";
    const LineDesign& line = *evaluation.line;
    const Screen* screen = line.screenLeg    ? &*line.screenLeg
                           : line.screenLoop ? &*line.screenLoop
                                             : nullptr;
    if (screen == nullptr) return "";
    return screen->needsAnalysis ? "需作柔性分析" : "无需柔性分析";
}

std::string Answer(const Json& document) { return tool::JsonText(document); }

}  // namespace

namespace velmarith::web {
const Catalogue& KeptMaterials();
}

extern "C" {

// One segment's request, as velmarith_sheet reads it. The answer:
//   {"sound": true, "refusal": "", "summary": {"material": ..., "temperature": ...,
//    "cold": ..., "install": ..., "length": ..., "movement": ..., "compensation": ...,
//    "size": ..., "anchor": ..., "screen": ...},
//    "figures": [["平均线膨胀系数 (热态)", "α(T)", "11.85", "10⁻⁶/°C"], ...]}
EMSCRIPTEN_KEEPALIVE const char* velmarith_segment(const char* requestJson) {
    static std::string json;
    const Catalogue& catalogue = web::KeptMaterials();
    const auto evaluation = Evaluate(catalogue, tool::ReadRequestJson(requestJson).request);
    Json summary = Json::object();
    Json figures = Json::array();
    if (evaluation.request) {
        const Request& request = *evaluation.request;
        const std::string temperature = request.units == Units::Si ? "℃" : "°F";
        const std::string length(LengthUnit(request.units));
        const auto input = [&](RequestField field) { return tool::UnderstoodText(request, field); };
        summary["material"] = tool::MaterialText(catalogue, request);
        summary["temperature"] = WithUnit(input(RequestField::Temperature), temperature);
        summary["cold"] = WithUnit(input(RequestField::Cold), temperature);
        summary["install"] = WithUnit(input(RequestField::Install), temperature);
        summary["length"] = WithUnit(input(RequestField::Length), length);
        if (evaluation.result) {
            const Result& result = *evaluation.result;
            const std::optional<float> movement =
                request.cold ? result.movement : std::optional<float>(result.expansion);
            summary["movement"] = movement ? SingleToText(*movement) + " " + length : "";
        }
        const Choice choice = ChoiceOf(request, evaluation);
        summary["compensation"] = choice.what;
        summary["size"] = choice.size;
        summary["anchor"] = choice.anchor;
        summary["screen"] = ScreenText(evaluation);
        for (const auto& row : tool::FigureTable(evaluation)) {
            figures.push_back({row.quantity, row.symbol, row.value, row.unit});
        }
    }
    json = Answer({{"sound", evaluation.Sound()},
                   {"refusal", evaluation.Sound() ? std::string() : evaluation.Refusal()},
                   {"summary", summary},
                   {"figures", figures}});
    return json.c_str();
}

// A batch's CSV (UTF-8 or GB18030) as segments: its header names the inputs as the batch's
// does, and a column 管线号 (or line) the segment's line number. The answer:
//   {"faults": ["第N行: ..."], "segments": [{"line": "...", "inputs": {"temperature": ...}}]}
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
            json = Answer(
                {{"faults", {"文件既不是 UTF-8 也不是 GB18030 编码"}}, {"segments", segments}});
            return json.c_str();
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
                if (name == "管线号" || name == "line") {
                    keys.emplace_back("line");
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
        for (std::size_t i = 0; i < record.fieldCount && i < keys.size(); ++i) {
            if (keys[i] == "line")
                line = fields[i];
            else if (!keys[i].empty() && !fields[i].empty())
                inputs[keys[i]] = fields[i];
        }
        segments.push_back({{"line", line}, {"inputs", inputs}});
    });
    reader.Feed(text);
    reader.Finish();
    if (header) faults.push_back("文件是空的");
    json = Answer({{"faults", faults}, {"segments", segments}});
    return json.c_str();
}

}  // extern "C"
