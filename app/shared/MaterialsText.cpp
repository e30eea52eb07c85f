#include "app/shared/MaterialsText.h"

#include <algorithm>

#include "app/shared/CsvField.h"
#include "app/shared/CsvReader.h"
#include "app/shared/TextEncoding.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

constexpr std::size_t kLongestField = 256;
constexpr std::size_t kMostFields = 8;

}  // namespace

std::variant<std::vector<UserMaterial>, std::vector<MaterialFault>> ReadMaterialsText(
    std::string_view bytes) {
    if (bytes.size() > kLargestMaterialsFile) {
        return std::vector<MaterialFault>{{0, "文件过大 (最多 4 MB)"}};
    }
    const bool bom = bytes.starts_with(kUtf8Bom);
    if (bom) bytes.remove_prefix(kUtf8Bom.size());
    std::string utf8;
    if (bom || DetectEncoding(bytes) == TextEncoding::Utf8) {
        if (!IsValidUtf8(bytes)) return std::vector<MaterialFault>{{0, "不是有效的 UTF-8 文本"}};
        utf8.assign(bytes);
    } else {
        auto converted =
            EncodingConverter(TextEncoding::Gb18030, TextEncoding::Utf8).Convert(bytes);
        if (!converted) {
            return std::vector<MaterialFault>{{0, "不是有效的 UTF-8 或 GB18030 文本"}};
        }
        utf8 = std::move(*converted);
    }
    if (utf8.find('\0') != std::string::npos) {
        return std::vector<MaterialFault>{{0, "不是 CSV 文本 (含有空字符)"}};
    }

    MaterialFileReader reader;
    std::vector<std::string_view> fields;
    CsvReader csv(kLongestField, [&](const CsvRecord& record) {
        fields.clear();
        for (std::size_t i = 0; i < record.fieldCount; ++i) fields.push_back((*record.fields)[i]);
        reader.Record(record.line, fields, record.error);
    });
    csv.SetMostFields(kMostFields);
    csv.Feed(utf8);
    csv.Finish();
    return reader.Finish();
}

std::vector<std::string> FaultLines(std::string_view fileName,
                                    const std::vector<MaterialFault>& faults) {
    std::vector<std::string> lines;
    for (const auto& fault : faults) {
        std::string line(fileName);
        if (fault.line > 0) line += " 第" + std::to_string(fault.line) + "行";
        lines.push_back(line + ": " + fault.reason);
    }
    return lines;
}

std::string MaterialsCsv(const std::vector<UserMaterial>& materials) {
    // The grades column only when a material has grades: its first row carries them all.
    const bool grades =
        std::any_of(materials.begin(), materials.end(),
                    [](const UserMaterial& material) { return !material.grades.empty(); });
    std::string csv;
    for (const auto& name : kMaterialsHeaderC) {
        csv += std::string(name) + (name == kMaterialsHeaderC[3] ? "" : ",");
    }
    csv += grades ? "," + std::string(kGradesColumn) + "\n" : "\n";
    for (const auto& material : materials) {
        std::string gradeField;
        for (const auto& grade : material.grades) {
            gradeField += (gradeField.empty() ? "" : ";") + grade;
        }
        for (const auto& point : material.points) {
            AppendCsvField(csv, material.name);
            csv += "," + DoubleToExactText(material.reference) + "," +
                   DoubleToExactText(point.temperature) + "," + DoubleToExactText(point.alpha);
            if (grades) {
                csv += ",";
                AppendCsvField(csv, &point == &material.points.front() ? gradeField : "");
            }
            csv += "\n";
        }
    }
    return csv;
}

}  // namespace velmarith::tool
