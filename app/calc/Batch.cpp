#include "app/calc/Batch.h"

#include <csv.h>

#include <array>
#include <string>
#include <vector>

#include "app/calc/CsvField.h"
#include "app/calc/Engineering.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 16;
// A field longer than this is no number or material; past it the parser would only grow.
constexpr std::size_t kLongestField = 1 << 12;

constexpr std::string_view kOutputHeader =
    "material,temperature,length,install,coefficient,install_coefficient,expansion,mm_per_m,"
    "final_length,error\n";

class BatchWriter {
  public:
    BatchWriter(std::FILE* out, std::FILE* err) : out_(out), err_(err) {
        BuildMaterialTables(tables_);
    }

    void Field(const char* data, std::size_t size) {
        if (fields_.size() <= fieldCount_) fields_.emplace_back();
        std::string& field = fields_[fieldCount_++];
        if (size > kLongestField) {
            field.assign(data, kLongestField);
            fieldTooLong_ = true;
        } else {
            field.assign(data, size);
        }
    }

    void RowEnd() {
        ++record_;
        if (record_ == 1) {
            CheckHeader();
        } else if (headerOk_) {
            Row();
        }
        fieldCount_ = 0;
        fieldTooLong_ = false;
        if (buffer_.size() >= kFlushAt) Flush();
    }

    int Finish() {
        if (record_ == 0) {
            std::fprintf(err_, "CSV 文件为空: 应有表头 material,temperature,length[,install]\n");
            failed_ = true;
        }
        Flush();
        return failed_ ? 1 : 0;
    }

    void Fail(const char* message) {
        Flush();
        std::fprintf(err_, "%s\n", message);
        failed_ = true;
    }

    bool HeaderFailed() const { return record_ >= 1 && !headerOk_; }

  private:
    std::string_view FieldAt(std::size_t i) const {
        return i < fieldCount_ ? std::string_view(fields_[i]) : std::string_view();
    }

    void CheckHeader() {
        const bool named = FieldAt(0) == "material" && FieldAt(1) == "temperature" &&
                           FieldAt(2) == "length" && (fieldCount_ == 3 || FieldAt(3) == "install");
        headerOk_ = (fieldCount_ == 3 || fieldCount_ == 4) && named;
        if (!headerOk_) {
            std::fprintf(err_, "第1行: 表头应为 material,temperature,length[,install]\n");
            failed_ = true;
            return;
        }
        buffer_ += kOutputHeader;
    }

    void Row() {
        std::string error;
        if (fieldCount_ < 3 || fieldCount_ > 4) {
            error = "应有3或4列";
        } else if (fieldTooLong_) {
            error = "字段过长";
        } else {
            auto parsed = ParseRequest(FieldAt(0), FieldAt(1), FieldAt(2), FieldAt(3));
            if (auto* message = std::get_if<std::string>(&parsed)) {
                error = std::move(*message);
            } else {
                const auto& request = std::get<Request>(parsed);
                auto result = Calculate(coefficients_, request);
                if (auto* message = std::get_if<std::string>(&result)) {
                    error = std::move(*message);
                } else {
                    WriteResult(request, std::get<Result>(result));
                    return;
                }
            }
        }
        failed_ = true;
        for (std::size_t i = 0; i < 4; ++i) {
            AppendCsvField(buffer_, FieldAt(i));
            buffer_ += ',';
        }
        buffer_ += ",,,,,";
        AppendCsvField(buffer_, "第" + std::to_string(record_) + "行: " + error);
        buffer_ += '\n';
    }

    void WriteResult(const Request& request, const Result& result) {
        // None of these can hold a comma or a quote: no quoting needed.
        const std::string fields[] = {
            IntegerToText(static_cast<std::int16_t>(request.material)),
            IntegerToText(request.temperature),
            SingleToText(request.length),
            IntegerToText(request.install),
            result.coefficient.valueText,
            result.installCoefficient ? result.installCoefficient->valueText : std::string(),
            SingleToText(result.expansion),
            SingleToText(result.millimetresPerMetre),
            SingleToText(result.finalLength),
        };
        for (const auto& field : fields) {
            buffer_ += field;
            buffer_ += ',';
        }
        buffer_ += '\n';  // the error column stays empty
    }

    void Flush() {
        if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
        buffer_.clear();
    }

    std::FILE* out_;
    std::FILE* err_;
    MaterialTables tables_;
    CoefficientCache coefficients_{tables_};
    std::vector<std::string> fields_;
    std::size_t fieldCount_ = 0;
    bool fieldTooLong_ = false;
    long long record_ = 0;
    bool headerOk_ = false;
    bool failed_ = false;
    std::string buffer_;
};

void OnField(void* data, std::size_t size, void* writer) {
    static_cast<BatchWriter*>(writer)->Field(static_cast<const char*>(data), size);
}

void OnRowEnd(int, void* writer) { static_cast<BatchWriter*>(writer)->RowEnd(); }

}  // namespace

int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err) {
    BatchWriter writer(out, err);
    csv_parser parser{};
    if (csv_init(&parser, CSV_APPEND_NULL) != 0) {
        writer.Fail("无法初始化 CSV 解析器");
        return writer.Finish();
    }
    std::array<char, kReadChunk> chunk{};
    bool broken = false;
    while (!writer.HeaderFailed()) {
        const std::size_t read = std::fread(chunk.data(), 1, chunk.size(), in);
        if (read == 0) break;
        if (csv_parse(&parser, chunk.data(), read, OnField, OnRowEnd, &writer) != read) {
            writer.Fail(csv_strerror(csv_error(&parser)));
            broken = true;
            break;
        }
        // A quoted field that never ends would otherwise grow without bound.
        if (csv_get_buffer_size(&parser) > 4 * kLongestField) {
            writer.Fail("CSV 字段过长或引号未闭合");
            broken = true;
            break;
        }
    }
    if (std::ferror(in)) {
        writer.Fail("读取 CSV 输入失败");
        broken = true;
    }
    if (!broken) {
        // libcsv would end a quoted field that is still open at the end of the input
        // silently; such a file is cut short.
        constexpr int kFieldBegun = 2;  // libcsv's state inside a field
        if (parser.pstate == kFieldBegun && parser.quoted != 0) {
            writer.Fail("CSV 文件结尾处引号未闭合");
        } else {
            csv_fini(&parser, OnField, OnRowEnd, &writer);
        }
    }
    csv_free(&parser);
    return writer.Finish();
}

}  // namespace velmarith::tool
