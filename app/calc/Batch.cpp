#include "app/calc/Batch.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/calc/CsvField.h"
#include "app/calc/CsvReader.h"
#include "app/calc/Engineering.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 16;
// A field longer than this is no number or material.
constexpr std::size_t kLongestField = 1 << 12;
constexpr std::size_t kHeaderFieldsAtMost = 4;

constexpr std::string_view kOutputHeader =
    "material,temperature,length,install,coefficient,install_coefficient,expansion,mm_per_m,"
    "final_length,error\n";
constexpr std::array<std::string_view, 4> kInputColumns = {"material", "temperature", "length",
                                                           "install"};

std::string_view EncodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030";
}

class BatchWriter {
  public:
    BatchWriter(std::FILE* out, std::FILE* err, TextEncoding encoding, bool bom)
        : out_(out),
          err_(err),
          encoding_(encoding),
          toUtf8_(encoding, TextEncoding::Utf8),
          fromUtf8_(TextEncoding::Utf8, encoding) {
        BuildMaterialTables(tables_);
        if (bom) buffer_ += kUtf8Bom;
    }

    void Record(const CsvRecord& record) {
        ++records_;
        if (records_ == 1) {
            CheckHeader(record);
        } else if (headerColumns_ > 0) {
            Row(record);
        }
        if (buffer_.size() >= kFlushAt) Flush();
    }

    std::size_t HeaderColumns() const { return headerColumns_; }
    bool HeaderFailed() const { return records_ >= 1 && headerColumns_ == 0; }
    bool WriteFailed() const { return writeFailed_; }

    void FileError(const std::string& message) {
        Flush();
        std::fprintf(err_, "velmarith-calc: %s\n", message.c_str());
        failed_ = true;
    }

    int Finish(bool inputUnreadable) {
        if (records_ == 0 && !inputUnreadable) {
            FileError("CSV 文件为空: 应有表头 material,temperature,length[,install]");
        }
        Flush();
        return failed_ || inputUnreadable ? 1 : 0;
    }

  private:
    static std::string_view FieldAt(const CsvRecord& record, std::size_t i) {
        return i < record.fieldCount ? std::string_view((*record.fields)[i]) : std::string_view();
    }

    void CheckHeader(const CsvRecord& record) {
        bool named = record.error.empty() && record.fieldCount >= 3 &&
                     record.fieldCount <= kHeaderFieldsAtMost;
        for (std::size_t i = 0; named && i < record.fieldCount; ++i) {
            named = FieldAt(record, i) == kInputColumns[i];
        }
        if (!named) {
            FileError("第" + std::to_string(record.line) +
                      "行: 表头应为 material,temperature,length[,install]");
            return;
        }
        headerColumns_ = record.fieldCount;
        buffer_ += kOutputHeader;
    }

    void Row(const CsvRecord& record) {
        std::string error(record.error);
        std::array<std::string, 4> text;  // the fields in UTF-8
        if (error.empty() && record.fieldCount < 3) {
            error = headerColumns_ == 3 ? "应有3列" : "应有3或4列";
        }
        for (std::size_t i = 0; error.empty() && i < record.fieldCount; ++i) {
            auto converted = toUtf8_.Convert(FieldAt(record, i));
            if (!converted) {
                error = "第" + std::to_string(i + 1) + "列不是有效的 " +
                        std::string(EncodingName(encoding_)) + " 文本";
            } else {
                text[i] = std::move(*converted);
            }
        }
        if (error.empty()) {
            auto parsed = ParseRequest(text[0], text[1], text[2],
                                       text[3].empty() ? std::nullopt : std::optional(text[3]));
            if (auto* message = std::get_if<std::string>(&parsed)) {
                error = std::move(*message);
            } else {
                const auto& request = std::get<Request>(parsed);
                auto result = Calculate(coefficients_, request);
                if (auto* message = std::get_if<std::string>(&result)) {
                    error = std::move(*message);
                } else {
                    WriteResult(record, request, std::get<Result>(result));
                    return;
                }
            }
        }
        failed_ = true;
        for (std::size_t i = 0; i < 4; ++i) {
            AppendCsvField(buffer_, FieldAt(record, i));
            buffer_ += ',';
        }
        buffer_ += ",,,,,";
        AppendError(record.line, error);
        buffer_ += '\n';
    }

    void AppendError(long long line, const std::string& error) {
        const std::string message = "第" + std::to_string(line) + "行: " + error;
        // Every message converts; the fallback only keeps a broken converter from losing it.
        AppendCsvField(buffer_, fromUtf8_.Convert(message).value_or(message));
    }

    void WriteResult(const CsvRecord& record, const Request& request, const Result& result) {
        const long long line = record.line;
        // The material as the user wrote it, in the input's own bytes, so that the result
        // lines up with the sheet it came from.
        AppendCsvField(buffer_, FieldAt(record, 0));
        buffer_ += ',';
        // None of these can hold a comma or a quote: no quoting needed.
        const std::string fields[] = {
            IntegerToText(request.temperature),
            SingleToText(request.length),
            IntegerToText(request.install),
            result.coefficient.valueText,
            result.installCoefficient ? result.installCoefficient->valueText : std::string(),
            SingleToText(result.expansion),
            result.millimetresPerMetre ? SingleToText(*result.millimetresPerMetre) : std::string(),
            result.finalLength ? SingleToText(*result.finalLength) : std::string(),
        };
        for (const auto& field : fields) {
            buffer_ += field;
            buffer_ += ',';
        }
        // An optional figure that does not fit is the only error such a row can have.
        if (!result.millimetresPerMetre) {
            failed_ = true;
            AppendError(line, "每米膨胀量超出范围");
        } else if (!result.finalLength) {
            failed_ = true;
            AppendError(line, "膨胀后长度超出范围");
        }
        buffer_ += '\n';
    }

    void Flush() {
        if (!buffer_.empty() && !writeFailed_ &&
            std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) {
            writeFailed_ = true;
        }
        buffer_.clear();
    }

    std::FILE* out_;
    std::FILE* err_;
    TextEncoding encoding_;
    EncodingConverter toUtf8_;
    EncodingConverter fromUtf8_;
    MaterialTables tables_;
    CoefficientCache coefficients_{tables_};
    long long records_ = 0;
    std::size_t headerColumns_ = 0;
    bool failed_ = false;
    bool writeFailed_ = false;
    std::string buffer_;
};

}  // namespace

int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options) {
    std::vector<char> chunk(kReadChunk);
    std::size_t read = std::fread(chunk.data(), 1, chunk.size(), in);
    std::string_view start(chunk.data(), read);
    const bool bom = start.starts_with(kUtf8Bom);
    if (bom) start.remove_prefix(kUtf8Bom.size());
    const TextEncoding encoding =
        options.encoding.value_or(bom ? TextEncoding::Utf8 : DetectEncoding(start));

    BatchWriter writer(out, err, encoding, bom && encoding == TextEncoding::Utf8);
    CsvReader reader(kLongestField, [&](const CsvRecord& record) {
        writer.Record(record);
        if (writer.HeaderColumns() > 0) reader.SetMostFields(writer.HeaderColumns());
    });
    reader.SetMostFields(kHeaderFieldsAtMost);
    while (read > 0 && !writer.HeaderFailed() && !writer.WriteFailed()) {
        reader.Feed(start);
        read = std::fread(chunk.data(), 1, chunk.size(), in);
        start = std::string_view(chunk.data(), read);
    }
    const bool unreadable = std::ferror(in) != 0;
    if (unreadable) {
        const std::string name = options.inputName == "-" ? "标准输入" : options.inputName;
        writer.FileError("无法读取 CSV 输入 " + name + ": " + std::strerror(errno));
    } else if (!writer.HeaderFailed() && !writer.WriteFailed()) {
        reader.Finish();
    }
    return writer.Finish(unreadable);
}

}  // namespace velmarith::tool
