#include "app/calc/Batch.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/calc/BatchColumns.h"
#include "app/calc/BatchOutput.h"
#include "app/shared/CsvField.h"
#include "app/shared/CsvReader.h"
#include "engineering/Evaluation.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

constexpr std::size_t kReadChunk = 1 << 16;
constexpr std::size_t kFlushAt = 1 << 16;
// A field longer than this is no number or material.
constexpr std::size_t kLongestField = 1 << 12;
// A header names each input at most once.
constexpr std::size_t kHeaderFieldsAtMost = kInputCount + kRowLabelCount;

std::string_view EncodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030";
}

class BatchWriter {
  public:
    BatchWriter(std::FILE* out, std::FILE* err, TextEncoding encoding, bool bom,
                const BatchOptions& options, const Catalogue& catalogue)
        : units_(options.units),
          defaults_(options.defaults),
          catalogue_(catalogue),
          out_(out),
          err_(err),
          encoding_(encoding),
          toUtf8_(encoding, TextEncoding::Utf8),
          fromUtf8_(TextEncoding::Utf8, encoding) {
        defaults_.SetUnits(units_);
        if (bom) buffer_ += kUtf8Bom;
    }

    void Record(const CsvRecord& record) {
        ++records_;
        if (records_ == 1) {
            CheckHeader(record);
        } else if (columns_) {
            Row(record);
        }
        if (buffer_.size() >= kFlushAt) Flush();
    }

    std::size_t HeaderColumns() const { return columns_ ? columns_->Count() : 0; }
    bool HeaderFailed() const { return records_ >= 1 && !columns_; }
    bool WriteFailed() const { return writeFailed_; }

    void FileError(const std::string& message) {
        Flush();
        std::fprintf(err_, "velmarith-calc: %s\n", message.c_str());
        failed_ = true;
    }

    int Finish(bool inputUnreadable) {
        if (records_ == 0 && !inputUnreadable) {
            FileError("CSV 文件为空: 应有表头 " + HeaderText(defaults_.AnyLine()));
        }
        Flush();
        return failed_ || inputUnreadable ? 1 : 0;
    }

  private:
    static std::string_view FieldAt(const CsvRecord& record, std::size_t i) {
        return i < record.fieldCount ? std::string_view((*record.fields)[i]) : std::string_view();
    }

    void CheckHeader(const CsvRecord& record) {
        const std::string where = "第" + std::to_string(record.line) + "行: ";
        if (!record.error.empty()) {
            FileError(where + "表头有误: " + std::string(record.error));
            return;
        }
        std::vector<std::string> names;
        for (std::size_t i = 0; i < record.fieldCount; ++i) {
            auto name = toUtf8_.Convert(FieldAt(record, i));
            if (!name) {
                FileError(where + "表头第" + std::to_string(i + 1) + "列不是有效的 " +
                          std::string(EncodingName(encoding_)) + " 文本");
                return;
            }
            names.push_back(std::move(*name));
        }
        auto columns = BatchColumns::FromHeader(names, defaults_);
        if (auto* fault = std::get_if<std::string>(&columns)) {
            FileError(where + *fault);
            return;
        }
        columns_ = std::get<BatchColumns>(std::move(columns));
        output_.emplace(units_, columns_->Pipe(), columns_->Line());
        // A row's line number and description go first, as the row gave them.
        labels_ = columns_->Labels();
        for (const RowLabel label : labels_) {
            buffer_ += RowLabelName(label);
            buffer_ += ',';
        }
        buffer_ += fromUtf8_.Convert(output_->Header()).value_or(output_->Header());
    }

    // The inputs as they came, each in its column, in the input's own bytes.
    std::array<std::string_view, kInputCount> Typed(const CsvRecord& record) const {
        std::array<std::string_view, kInputCount> typed{};
        for (const auto& row : Inputs()) {
            const int at = columns_->FieldOf(row.field);
            const auto i = static_cast<std::size_t>(row.field);
            if (at >= 0 && !FieldAt(record, static_cast<std::size_t>(at)).empty()) {
                typed[i] = FieldAt(record, static_cast<std::size_t>(at));
            } else if (row.field != RequestField::Units && defaults_.Has(row.field)) {
                typed[i] = *defaults_[row.field];  // UTF-8, as the command line gave it
            }
        }
        return typed;
    }

    void Row(const CsvRecord& record) {
        std::string error(record.error);
        if (error.empty()) error = columns_->TooFew(record.fieldCount);
        fields_.resize(record.fieldCount);  // in UTF-8; kept from row to row
        for (std::size_t i = 0; error.empty() && i < record.fieldCount; ++i) {
            auto converted = toUtf8_.Convert(FieldAt(record, i));
            if (!converted) {
                error = "第" + std::to_string(i + 1) + "列不是有效的 " +
                        std::string(EncodingName(encoding_)) + " 文本";
            } else {
                fields_[i] = std::move(*converted);
            }
        }
        if (error.empty()) {
            columns_->Fill(fields_, request_);
            const auto evaluation = Evaluate(catalogue_, request_, &coefficients_, Detail::Figures);
            if (evaluation.Sound()) {
                WriteResult(record, evaluation);
                return;
            }
            error = evaluation.Refusal();
        }
        failed_ = true;
        AppendLabels(record);
        output_->AppendInputs(buffer_, Typed(record));
        AppendError(record.line, error);
        buffer_ += '\n';
    }

    // The row's labels, in the input's own bytes.
    void AppendLabels(const CsvRecord& record) {
        for (const RowLabel label : labels_) {
            AppendCsvField(buffer_,
                           FieldAt(record, static_cast<std::size_t>(columns_->LabelAt(label))));
            buffer_ += ',';
        }
    }

    void AppendError(long long line, const std::string& error) {
        AppendCsvField(buffer_, Converted(Numbered(line, error)));
    }

    static std::string Numbered(long long line, const std::string& text) {
        return "第" + std::to_string(line) + "行: " + text;
    }
    // Every message converts; the fallback only keeps a broken converter from losing it.
    std::string Converted(const std::string& text) const {
        return fromUtf8_.Convert(text).value_or(text);
    }

    void WriteResult(const CsvRecord& record, const Evaluation& evaluation) {
        const int materialAt = columns_->FieldOf(RequestField::Material);
        const std::string_view material = materialAt >= 0 && !FieldAt(record, materialAt).empty()
                                              ? FieldAt(record, materialAt)
                                              : Typed(record)[0];
        AppendLabels(record);
        output_->AppendResult(buffer_, material, evaluation);
        for (const auto& warning : evaluation.request->warnings) {
            Flush();
            std::fprintf(err_, "velmarith-calc: 注意: %s\n",
                         Numbered(record.line, warning.message).c_str());
        }
        const Result& result = *evaluation.result;
        // An optional figure that does not fit is the only error such a row can have.
        if (!result.rate) {
            failed_ = true;
            AppendError(record.line,
                        units_ == Units::Si ? "每米膨胀量超出范围" : "每100英尺膨胀量超出范围");
        } else if (!result.finalLength) {
            failed_ = true;
            AppendError(record.line, "膨胀后长度超出范围");
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

    Units units_;
    RequestText defaults_;
    const Catalogue& catalogue_;
    std::optional<BatchColumns> columns_;
    std::vector<RowLabel> labels_;
    std::vector<std::string> fields_;
    RequestText request_;  // kept from row to row
    std::optional<BatchOutput> output_;
    std::FILE* out_;
    std::FILE* err_;
    TextEncoding encoding_;
    EncodingConverter toUtf8_;
    EncodingConverter fromUtf8_;
    CoefficientCache coefficients_{catalogue_};
    long long records_ = 0;
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

    const Catalogue eight;
    BatchWriter writer(out, err, encoding, bom && encoding == TextEncoding::Utf8, options,
                       options.materials != nullptr ? *options.materials : eight);
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
