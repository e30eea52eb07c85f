#include "app/shared/ProjectFile.h"

#include <algorithm>
#include <map>

#include "app/shared/TextEncoding.h"
#include "engineering/MaterialRecords.h"
#include "engineering/Request.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

// The DOM parser, told not to throw (the page's WebAssembly has no exceptions), keeping the
// byte where the text went wrong.
class PlacedParser {
  public:
    PlacedParser(Json& into, std::size_t end) : dom_(into, false), end_(end) {}
    bool null() { return dom_.null(); }
    bool boolean(bool value) { return dom_.boolean(value); }
    bool number_integer(Json::number_integer_t value) { return dom_.number_integer(value); }
    bool number_unsigned(Json::number_unsigned_t value) { return dom_.number_unsigned(value); }
    bool number_float(Json::number_float_t value, const std::string& text) {
        return dom_.number_float(value, text);
    }
    bool string(std::string& value) { return dom_.string(value); }
    bool binary(Json::binary_t& value) { return dom_.binary(value); }
    bool start_object(std::size_t size) { return Deeper() && dom_.start_object(size); }
    bool key(std::string& value) { return dom_.key(value); }
    bool end_object() {
        --depth_;
        return dom_.end_object();
    }
    bool start_array(std::size_t size) { return Deeper() && dom_.start_array(size); }
    bool end_array() {
        --depth_;
        return dom_.end_array();
    }
    // The position is the count of bytes read, up to the end of the token it could not take;
    // its start is where the eye should go. At the end of the text there is no token.
    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception&) {
        position_ = position >= end_           ? end_
                    : position >= token.size() ? position - token.size()
                                               : 0;
        return false;
    }
    std::size_t Position() const { return position_; }
    bool TooDeep() const { return tooDeep_; }

  private:
    // Copying, comparing and writing a document recurse: a file nested a million deep would
    // end the program, and no project needs more than a few levels.
    bool Deeper() {
        tooDeep_ = ++depth_ > kDeepest;
        return !tooDeep_;
    }
    static constexpr std::size_t kDeepest = 64;
    nlohmann::detail::json_sax_dom_parser<Json> dom_;
    std::size_t end_;
    std::size_t position_ = 0;
    std::size_t depth_ = 0;
    bool tooDeep_ = false;
};

// The line and column (from 1, the column in characters) of the byte at this offset.
ProjectFault PlaceOf(std::string_view text, std::size_t position) {
    const std::size_t end = std::min(position, text.size());
    ProjectFault fault;
    fault.line = 1;
    fault.column = 1;
    for (std::size_t i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\n') {
            ++fault.line;
            fault.column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            ++fault.column;  // a character's first byte
        }
    }
    fault.message = "项目文件不是有效的 JSON: 第 " + std::to_string(fault.line) + " 行第 " +
                    std::to_string(fault.column) + " 列有误";
    return fault;
}

ProjectFault Refused(std::string message) { return ProjectFault{std::move(message), 0, 0}; }

// A value as text: a string as it is, a number as written; none for any other kind.
std::optional<std::string> TextOf(const Json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number()) return value.dump();
    return std::nullopt;
}

// The members of an object that this program does not read.
Json Others(const Json& object, std::initializer_list<std::string_view> known) {
    Json extra = Json::object();
    for (const auto& [key, value] : object.items()) {
        if (std::find(known.begin(), known.end(), key) == known.end()) extra[key] = value;
    }
    return extra;
}

struct TitleKey {
    std::string_view key;
    std::string ProjectTitle::*member;
};
constexpr TitleKey kTitleKeys[] = {
    {"project", &ProjectTitle::project},
    {"number", &ProjectTitle::number},
    {"stage", &ProjectTitle::stage},
    {"calculated_by", &ProjectTitle::calculatedBy},
    {"checked_by", &ProjectTitle::checkedBy},
    {"approved_by", &ProjectTitle::approvedBy},
    {"date", &ProjectTitle::date},
};

std::optional<std::string> ReadTitle(const Json& object, ProjectTitle& title) {
    if (!object.is_object()) return "title 应为对象";
    for (const auto& [key, member] : kTitleKeys) {
        const auto found = object.find(key);
        if (found == object.end()) continue;
        if (!found->is_string()) return "title." + std::string(key) + " 应为文本";
        title.*member = found->get<std::string>();
    }
    title.extra = Others(object, {"project", "number", "stage", "calculated_by", "checked_by",
                                  "approved_by", "date"});
    return std::nullopt;
}

// The materials, checked as a materials file is: each material's points are its rows.
std::optional<std::string> ReadMaterials(const Json& list, std::vector<ProjectMaterial>& into) {
    if (!list.is_array()) return "materials 应为数组";
    MaterialFileReader reader;
    reader.Record(0, {"name", "reference_C", "temperature_C", "alpha_per_C", "grades"});
    std::vector<std::string> names;
    std::vector<Json> extras;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const Json& material = list[i];
        // A fault's line is the material's place in the list.
        const auto place = static_cast<long long>(i) + 1;
        const std::string where = "materials 第" + std::to_string(place) + "个";
        if (!material.is_object()) return where + "应为对象";
        const auto name = material.find("name");
        if (name == material.end() || !name->is_string() || name->get<std::string>().empty()) {
            return where + "应有名称 name (文本)";
        }
        if (std::find(names.begin(), names.end(), name->get<std::string>()) != names.end()) {
            return where + ": 材料名 \"" + name->get<std::string>() + "\" 重复";
        }
        names.push_back(name->get<std::string>());
        double reference = 20;
        if (const auto found = material.find("reference_C"); found != material.end()) {
            if (!found->is_number()) return where + "的 reference_C 应为数值";
            reference = found->get<double>();
        }
        std::string grades;
        if (const auto found = material.find("grades"); found != material.end()) {
            if (!found->is_array()) return where + "的 grades 应为文本数组";
            for (const auto& grade : *found) {
                if (!grade.is_string()) return where + "的 grades 应为文本数组";
                grades += (grades.empty() ? "" : ";") + grade.get<std::string>();
            }
        }
        const auto points = material.find("points");
        if (points == material.end() || !points->is_array()) {
            return where + "应有表点 points: [[温度 摄氏度, α 10^-6/摄氏度], …]";
        }
        for (const auto& point : *points) {
            if (!point.is_array() || point.size() != 2 || !point[0].is_number() ||
                !point[1].is_number()) {
                return where + "的表点应为 [温度, α] 两个数值";
            }
            const std::string reference_ = DoubleToExactText(reference);
            const std::string t = DoubleToExactText(point[0].get<double>());
            const std::string alpha = DoubleToExactText(point[1].get<double>());
            const bool first = &point == &points->front();
            reader.Record(place, {names.back(), reference_, t, alpha,
                                  first ? std::string_view(grades) : std::string_view()});
        }
        if (points->empty()) reader.Record(place, {names.back()});
        extras.push_back(Others(material, {"name", "reference_C", "grades", "points"}));
    }
    auto read = reader.Finish();
    if (auto* faults = std::get_if<std::vector<MaterialFault>>(&read)) {
        const auto& fault = faults->front();
        return (fault.line > 0 ? "materials 第" + std::to_string(fault.line) + "个: "
                               : std::string("materials: ")) +
               fault.reason;
    }
    auto& materials = std::get<std::vector<UserMaterial>>(read);
    for (std::size_t i = 0; i < materials.size(); ++i) {
        into.push_back({std::move(materials[i]), std::move(extras[i])});
    }
    return std::nullopt;
}

// Why a segment's members cannot be read as one, or none.
std::optional<std::string> ShapeFault(const Json& segment) {
    if (!segment.is_object()) return "不是 JSON 对象";
    if (const auto line = segment.find("line"); line != segment.end() && !TextOf(*line)) {
        return "line 应为文本";
    }
    if (const auto text = segment.find("description");
        text != segment.end() && !text->is_string()) {
        return "description 应为文本";
    }
    if (const auto inputs = segment.find("inputs");
        inputs != segment.end() && !inputs->is_object()) {
        return "inputs 应为对象";
    }
    return std::nullopt;
}

ProjectSegment ReadSegment(const Json& object) {
    ProjectSegment segment;
    if (ShapeFault(object)) {
        segment.unreadable = object;
        return segment;
    }
    if (const auto line = object.find("line"); line != object.end()) segment.line = *TextOf(*line);
    segment.description = object.value("description", "");
    if (const auto inputs = object.find("inputs"); inputs != object.end()) {
        for (const auto& [key, value] : inputs->items()) {
            const auto* row = FindInput(key);
            const auto text = TextOf(value);
            if (row != nullptr && row->key == key && text) {
                segment.inputs[row->field] = *text;
            } else {
                segment.otherInputs[key] = value;
            }
        }
    }
    segment.extra = Others(object, {"line", "description", "inputs"});
    return segment;
}

// An array of numbers and texts, or of such arrays: a table point, a list of grades.
bool Flat(const Json& value) {
    if (!value.is_array()) return !value.is_object();
    return std::all_of(value.begin(), value.end(), [](const Json& element) {
        return !element.is_object() && (!element.is_array() || Flat(element));
    });
}

std::string Dumped(const Json& value) {
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// Two spaces of indent, as a person would lay the file out: each member on its line, but a
// flat array on one ("points": [[20, 16.5], [300, 17.9]]).
void Lay(std::string& out, const Json& value, std::size_t indent) {
    const std::string inner(indent + 2, ' ');
    if (value.is_array() && Flat(value)) {
        out += '[';
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (i > 0) out += ", ";
            if (value[i].is_array()) {
                Lay(out, value[i], indent);
            } else {
                out += Dumped(value[i]);
            }
        }
        out += ']';
    } else if (value.is_array() || value.is_object()) {
        if (value.empty()) {
            out += value.is_array() ? "[]" : "{}";
            return;
        }
        out += value.is_array() ? "[\n" : "{\n";
        bool first = true;
        for (const auto& [key, element] : value.items()) {
            out += first ? "" : ",\n";
            first = false;
            out += inner;
            if (value.is_object()) out += Dumped(Json(key)) + ": ";
            Lay(out, element, indent + 2);
        }
        out += "\n" + std::string(indent, ' ') + (value.is_array() ? ']' : '}');
    } else {
        out += Dumped(value);
    }
}

void Append(Json& object, const Json& extra) {
    for (const auto& [key, value] : extra.items()) object[key] = value;
}

}  // namespace

std::variant<Project, ProjectFault> ReadProject(std::string_view text) {
    if (text.size() > kLargestProjectFile) {
        // The reader stops one byte past the limit, so the size it has is not the file's.
        return Refused("项目文件过大: 超过 5 MB (" + std::to_string(kLargestProjectFile) +
                       " 字节)");
    }
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    Json document;
    PlacedParser parser(document, text.size());
    if (!Json::sax_parse(text, &parser)) {
        if (parser.TooDeep()) return Refused("项目文件嵌套过深 (超过 64 层)");
        ProjectFault fault = PlaceOf(text, parser.Position());
        // A file saved in another encoding (GB18030, say) is no JSON to the parser: say why.
        if (!IsValidUtf8(text)) {
            fault.message = "项目文件不是 UTF-8 编码 (请以 UTF-8 保存): 第 " +
                            std::to_string(fault.line) + " 行第 " + std::to_string(fault.column) +
                            " 列有误";
        }
        return fault;
    }
    if (!document.is_object()) return Refused("项目文件应为一个 JSON 对象");
    const auto format = document.find("format");
    if (format == document.end() || !format->is_string() ||
        format->get<std::string>() != kProjectFormat) {
        return Refused("不是 Velmarith 项目文件: 应有 \"format\": \"velmarith-project\"");
    }
    const auto version = document.find("version");
    if (version == document.end() || !version->is_number_integer() ||
        version->get<long long>() < 1) {
        return Refused("项目文件的版本 version 应为正整数");
    }
    if (version->get<long long>() > kProjectVersion) {
        return Refused("项目文件的版本为 " + version->dump() + ", 本程序只能读到版本 " +
                       std::to_string(kProjectVersion) + ": 请用较新的 Velmarith 打开");
    }
    Project project;
    if (const auto title = document.find("title"); title != document.end()) {
        if (auto fault = ReadTitle(*title, project.title)) return Refused(*fault);
    }
    if (const auto units = document.find("units"); units != document.end()) {
        const auto parsed =
            units->is_string() ? ParseUnits(units->get<std::string>()) : std::nullopt;
        if (!parsed) return Refused("units 应为 \"si\" 或 \"us\"");
        project.units = *parsed;
    }
    if (const auto materials = document.find("materials"); materials != document.end()) {
        if (auto fault = ReadMaterials(*materials, project.materials)) return Refused(*fault);
    }
    if (const auto segments = document.find("segments"); segments != document.end()) {
        if (!segments->is_array()) return Refused("segments 应为数组");
        for (const auto& segment : *segments) project.segments.push_back(ReadSegment(segment));
    }
    project.extra =
        Others(document, {"format", "version", "title", "units", "materials", "segments"});
    return project;
}

std::string WriteProject(const Project& project) {
    Json document = {{"format", std::string(kProjectFormat)}, {"version", kProjectVersion}};
    Json title = Json::object();
    for (const auto& [key, member] : kTitleKeys) title[std::string(key)] = project.title.*member;
    Append(title, project.title.extra);
    document["title"] = title;
    document["units"] = std::string(UnitsKey(project.units));
    Json materials = Json::array();
    for (const auto& [material, extra] : project.materials) {
        Json object = {{"name", material.name}, {"reference_C", material.reference}};
        if (!material.grades.empty()) object["grades"] = material.grades;
        Json points = Json::array();
        for (const auto& point : material.points) {
            points.push_back({point.temperature, point.alpha});
        }
        object["points"] = points;
        Append(object, extra);
        materials.push_back(object);
    }
    document["materials"] = materials;
    Json segments = Json::array();
    for (const auto& segment : project.segments) {
        if (segment.unreadable) {
            segments.push_back(*segment.unreadable);
            continue;
        }
        Json object = {{"line", segment.line}};
        if (!segment.description.empty()) object["description"] = segment.description;
        Json inputs = Json::object();
        for (const auto& row : Inputs()) {
            if (const auto& value = segment.inputs[row.field])
                inputs[std::string(row.key)] = *value;
        }
        Append(inputs, segment.otherInputs);
        object["inputs"] = inputs;
        Append(object, segment.extra);
        segments.push_back(object);
    }
    document["segments"] = segments;
    Append(document, project.extra);
    std::string text;
    Lay(text, document, 0);
    return text + "\n";
}

Catalogue ProjectCatalogue(const Project& project) {
    std::vector<UserMaterial> materials;
    for (const auto& entry : project.materials) materials.push_back(entry.material);
    return Catalogue(std::move(materials));
}

std::variant<RequestText, std::string> SegmentRequest(const Catalogue& catalogue,
                                                      const Project& project,
                                                      const ProjectSegment& segment) {
    if (segment.unreadable) return "该段无法读取: " + *ShapeFault(*segment.unreadable);
    for (const auto& [key, value] : segment.otherInputs.items()) {
        const auto* row = FindInput(key);
        if (row != nullptr && row->key == key) {
            return "输入 " + key + " 的值应为文本或数值, 而不是 " + value.dump();
        }
        std::string message = "不认识的输入 \"" + key + "\" (应为 ";
        for (const auto& input : Inputs()) {
            if (input.field != RequestField::Material) message += ", ";
            message += input.key;
        }
        return message + ")";
    }
    RequestText text = segment.inputs;
    if (text.Has(RequestField::Units) &&
        ParseUnits(text.Text(RequestField::Units)) != project.units) {
        return "该段的 units \"" + std::string(text.Text(RequestField::Units)) +
               "\" 与项目的 units \"" + std::string(UnitsKey(project.units)) + "\" 不同";
    }
    text.SetUnits(project.units);
    auto checked = ParseRequest(catalogue, text);
    if (auto* message = std::get_if<std::string>(&checked)) return std::move(*message);
    return text;
}

std::vector<SegmentMark> MarkSegments(const Catalogue& catalogue, const Project& project) {
    std::map<std::string, int> lines;
    for (const auto& segment : project.segments) {
        if (!segment.line.empty()) ++lines[segment.line];
    }
    std::vector<SegmentMark> marks;
    marks.reserve(project.segments.size());
    for (const auto& segment : project.segments) {
        SegmentMark mark;
        auto request = SegmentRequest(catalogue, project, segment);
        if (auto* fault = std::get_if<std::string>(&request)) mark.fault = std::move(*fault);
        mark.duplicateLine = !segment.line.empty() && lines[segment.line] > 1;
        marks.push_back(std::move(mark));
    }
    return marks;
}

std::string SegmentName(const Project& project, std::size_t index) {
    const auto& line = project.segments[index].line;
    if (!line.empty()) return "管线号 " + line;
    return "第" + std::to_string(index + 1) + "段";
}

}  // namespace velmarith::tool
