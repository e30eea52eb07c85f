#include "app/calc/ProjectRun.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>

#include "app/calc/BatchColumns.h"
#include "app/calc/Platform.h"
#include "app/shared/CsvReader.h"
#include "app/shared/ProjectFile.h"
#include "app/shared/ProjectSummary.h"
#include "app/shared/ResultJson.h"
#include "app/shared/TextEncoding.h"
#include "engineering/Evaluation.h"

namespace velmarith::tool {

using namespace engineering;

std::variant<std::string, std::string> LoadProjectFile(const std::string& path) {
    // "-" reads the project from standard input, as --csv - reads a batch.
    const bool standardInput = path == "-";
    std::FILE* file = standardInput ? stdin : OpenForReading(path);
    if (file == nullptr) {
        return std::variant<std::string, std::string>(
            std::in_place_index<1>, "无法打开项目文件 " + path + ": " + std::strerror(errno));
    }
    std::string bytes;
    char chunk[1 << 16];
    std::size_t read = 0;
    while (bytes.size() <= kLargestProjectFile &&
           (read = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.append(chunk, read);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    if (!standardInput) std::fclose(file);
    if (failed) {
        return std::variant<std::string, std::string>(
            std::in_place_index<1>, "无法读取项目文件 " + (standardInput ? "标准输入" : path) +
                                        ": " + std::strerror(error));
    }
    if (bytes.size() > kLargestProjectFile + 1) bytes.resize(kLargestProjectFile + 1);
    return std::variant<std::string, std::string>(std::in_place_index<0>, std::move(bytes));
}

namespace {

Json InputsJson(const ProjectSegment& segment) {
    Json inputs = Json::object();
    for (const auto& row : Inputs()) {
        if (const auto& value = segment.inputs[row.field]) inputs[std::string(row.key)] = *value;
    }
    for (const auto& [key, value] : segment.otherInputs.items()) inputs[key] = value;
    return inputs;
}

Json TitleJson(const ProjectTitle& title) {
    Json object = {{"project", title.project},
                   {"number", title.number},
                   {"stage", title.stage},
                   {"calculated_by", title.calculatedBy},
                   {"checked_by", title.checkedBy},
                   {"approved_by", title.approvedBy},
                   {"date", title.date}};
    for (const auto& [key, value] : title.extra.items()) object[key] = value;
    return object;
}

}  // namespace

int RunProject(const std::string& fileName, const std::string& bytes,
               const ProjectRunOptions& options, std::FILE* out, std::FILE* err) {
    auto read = ReadProject(bytes);
    if (auto* fault = std::get_if<ProjectFault>(&read)) {
        std::fprintf(err, "velmarith-calc: %s: %s\n", fileName.c_str(), fault->message.c_str());
        // A script reading --json gets a document either way, as a refused calculation's.
        if (options.form == ProjectRunOptions::Form::Json) {
            const Json document = {{"format", "velmarith-project-result"},
                                   {"version", kProjectVersion},
                                   {"status", 1},
                                   {"error", fault->message}};
            std::fprintf(out, "%s\n", JsonText(document).c_str());
        }
        return 1;
    }
    const Project& project = std::get<Project>(read);
    if (project.segments.empty()) {
        std::fprintf(err, "velmarith-calc: %s: 注意: 项目中没有管段\n", fileName.c_str());
    }
    const Catalogue catalogue = ProjectCatalogue(project);
    const auto marks = MarkSegments(catalogue, project);
    int status = 0;
    std::vector<SummaryRow> summary;
    Json segments = Json::array();
    std::map<std::string, bool> named;  // duplicate line numbers, each said once
    for (std::size_t i = 0; i < project.segments.size(); ++i) {
        const ProjectSegment& segment = project.segments[i];
        const SegmentMark& mark = marks[i];
        const std::string name = SegmentName(project, i);
        if (mark.duplicateLine && !named[segment.line]) {
            named[segment.line] = true;
            std::fprintf(err, "velmarith-calc: 注意: %s 用于不止一段\n", name.c_str());
        }
        std::optional<Evaluation> evaluation;
        std::optional<ResultText> text;
        if (mark.fault.empty()) {
            const auto request = std::get<RequestText>(SegmentRequest(catalogue, project, segment));
            evaluation = Evaluate(catalogue, request);
            text = RenderText(catalogue, *evaluation, options.output);
            status = std::max(status, text->status);
        } else {
            status = 1;
        }
        const std::string fault = mark.fault.empty() ? text->error : mark.fault;
        switch (options.form) {
            case ProjectRunOptions::Form::Lines: {
                if (i > 0) std::fputs("\n", out);
                std::fprintf(out, "%s%s%s\n", name.c_str(), segment.description.empty() ? "" : ": ",
                             segment.description.c_str());
                if (text) {
                    for (const auto& line : text->lines) std::fprintf(out, "%s\n", line.c_str());
                }
                if (!fault.empty() && !(text && !text->lines.empty())) {
                    std::fprintf(out, "  未计算: %s\n", fault.c_str());
                }
                break;
            }
            case ProjectRunOptions::Form::Json: {
                Json object = {{"line", segment.line},
                               {"description", segment.description},
                               {"inputs", InputsJson(segment)},
                               {"duplicate_line", mark.duplicateLine}};
                object["fault"] = mark.fault.empty() ? Json(nullptr) : Json(mark.fault);
                object["result"] =
                    text ? Json(ResultJson(catalogue, *evaluation, *text)) : Json(nullptr);
                segments.push_back(object);
                break;
            }
            case ProjectRunOptions::Form::SummaryCsv:
                summary.push_back(
                    SummaryOf(catalogue, segment, mark, evaluation ? &*evaluation : nullptr));
                break;
        }
        if (text) {
            for (const auto& note : text->notes) {
                std::fprintf(err, "velmarith-calc: %s: 注意: %s\n", name.c_str(), note.c_str());
            }
        }
        if (!fault.empty())
            std::fprintf(err, "velmarith-calc: %s: %s\n", name.c_str(), fault.c_str());
    }
    if (options.form == ProjectRunOptions::Form::Json) {
        Json document = {{"format", "velmarith-project-result"},
                         {"version", kProjectVersion},
                         {"title", TitleJson(project.title)},
                         {"units", std::string(UnitsKey(project.units))},
                         {"segments", segments},
                         {"status", status}};
        std::fprintf(out, "%s\n", JsonText(document).c_str());
    } else if (options.form == ProjectRunOptions::Form::SummaryCsv) {
        const std::string csv = SummaryCsv(summary, project.units);
        std::fwrite(csv.data(), 1, csv.size(), out);
    }
    return status;
}

namespace {

constexpr std::size_t kLongestField = 1 << 12;

}  // namespace

int RunToProject(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options,
                 const std::vector<UserMaterial>& materials) {
    std::string bytes;
    char chunk[1 << 16];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, read);
    const std::string name = options.inputName == "-" ? "标准输入" : options.inputName;
    if (std::ferror(in) != 0) {
        std::fprintf(err, "velmarith-calc: 无法读取 CSV 输入 %s: %s\n", name.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::string_view text(bytes);
    const bool bom = text.starts_with(kUtf8Bom);
    if (bom) text.remove_prefix(kUtf8Bom.size());
    const TextEncoding encoding =
        options.encoding.value_or(bom ? TextEncoding::Utf8 : DetectEncoding(text));
    std::string utf8(text);
    if (encoding != TextEncoding::Utf8) {
        auto converted = EncodingConverter(encoding, TextEncoding::Utf8).Convert(text);
        if (!converted) {
            std::fprintf(err, "velmarith-calc: %s 不是有效的 GB18030 文本\n", name.c_str());
            return 1;
        }
        utf8 = std::move(*converted);
    } else if (!IsValidUtf8(text)) {
        std::fprintf(err, "velmarith-calc: %s 不是有效的 UTF-8 文本\n", name.c_str());
        return 1;
    }

    Project project;
    project.units = options.units;
    for (const auto& material : materials) project.materials.push_back({material, Json::object()});
    RequestText defaults = options.defaults;
    defaults[RequestField::Units].reset();  // the project's units hold for every segment
    std::optional<BatchColumns> columns;
    int status = 0;
    long long rows = 0;
    std::vector<std::string> fields;
    CsvReader reader(kLongestField, [&](const CsvRecord& record) {
        if (status != 0 && !columns) return;  // the header was refused
        const std::string where = "第" + std::to_string(record.line) + "行: ";
        if (!record.error.empty()) {
            std::fprintf(err, "velmarith-calc: %s%s%s\n", where.c_str(),
                         columns ? "" : "表头有误: ", std::string(record.error).c_str());
            status = 1;
            return;
        }
        fields.assign(record.fields->begin(),
                      record.fields->begin() + static_cast<std::ptrdiff_t>(record.fieldCount));
        if (!columns) {
            auto found = BatchColumns::FromHeader(fields, defaults);
            if (auto* fault = std::get_if<std::string>(&found)) {
                std::fprintf(err, "velmarith-calc: %s%s\n", where.c_str(), fault->c_str());
                status = 1;
                return;
            }
            columns = std::get<BatchColumns>(std::move(found));
            return;
        }
        ++rows;
        ProjectSegment segment;
        const auto cell = [&](int at) {
            return at >= 0 && static_cast<std::size_t>(at) < record.fieldCount
                       ? (*record.fields)[static_cast<std::size_t>(at)]
                       : std::string();
        };
        segment.line = cell(columns->LabelAt(RowLabel::Line));
        if (segment.line.empty()) segment.line = std::to_string(rows);
        segment.description = cell(columns->LabelAt(RowLabel::Description));
        segment.inputs = columns->Request(fields);
        project.segments.push_back(std::move(segment));
    });
    reader.Feed(utf8);
    reader.Finish();
    if (!columns && status == 0) {
        std::fprintf(err, "velmarith-calc: CSV 文件为空: 应有表头 %s\n", HeaderText().c_str());
        return 1;
    }
    if (!columns) return 1;
    const std::string written = WriteProject(project);
    std::fwrite(written.data(), 1, written.size(), out);
    return status;
}

}  // namespace velmarith::tool
