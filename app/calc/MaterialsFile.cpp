#include "app/calc/MaterialsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/calc/CsvReader.h"
#include "app/calc/Platform.h"
#include "app/calc/TextEncoding.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

// 64 materials of 256 points stay far below this.
constexpr std::size_t kLargestFile = 4 << 20;
constexpr std::size_t kLongestField = 256;
constexpr std::size_t kMostFields = 8;

}  // namespace

std::variant<std::vector<UserMaterial>, std::vector<MaterialFault>> ReadMaterialsText(
    std::string_view bytes) {
    if (bytes.size() > kLargestFile) {
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

std::variant<std::vector<UserMaterial>, std::string> LoadMaterialsFile(const std::string& path) {
    std::FILE* file = OpenForReading(path);
    if (file == nullptr) {
        return "velmarith-calc: 无法打开材料文件 " + path + ": " + std::strerror(errno);
    }
    std::string bytes;
    char chunk[1 << 16];
    std::size_t read = 0;
    while ((read = std::fread(chunk, 1, sizeof chunk, file)) > 0 && bytes.size() <= kLargestFile) {
        bytes.append(chunk, read);
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) return "velmarith-calc: 无法读取材料文件 " + path + ": " + std::strerror(error);

    auto read_ = ReadMaterialsText(bytes);
    if (auto* materials = std::get_if<std::vector<UserMaterial>>(&read_))
        return std::move(*materials);
    std::string text;
    for (const auto& line : FaultLines(path, std::get<std::vector<MaterialFault>>(read_))) {
        text += "velmarith-calc: " + line + "\n";
    }
    text += "velmarith-calc: 材料文件有误, 未作任何计算\n";
    return text;
}

}  // namespace velmarith::tool
