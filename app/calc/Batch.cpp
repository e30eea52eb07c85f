#include "app/calc/Batch.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "app/shared/CompensationText.h"
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
constexpr std::size_t kOutputFields = 13;

constexpr std::string_view kOutputHeaderSi =
    "material,temperature,length,install,coefficient,install_coefficient,expansion,mm_per_m,"
    "final_length,cold,cold_expansion,movement,error\n";
constexpr std::string_view kOutputHeaderUs =
    "material,temperature_F,length_in,install_F,coefficient_per_C,install_coefficient_per_C,"
    "expansion_in,in_per_100ft,final_length_in,cold_F,cold_expansion_in,movement_in,error\n";
constexpr std::string_view kHeaderText = "material,temperature,length[,install][,cold]";
// The input's columns: the first three in this order, then the others in any order.
enum Column {
    kMaterial,
    kTemperature,
    kLength,
    kInstall,
    kCold,
    kDiameter,
    kWall,
    kModulus,
    kAllowable,
    kColdAllowable,
    kHotAllowable,
    kCycles,
    kColumns
};
constexpr std::array<std::string_view, kColumns> kInputColumns = {
    "material", "temperature", "length", "install", "cold", "od",
    "wall",     "modulus",     "sa",     "sc",      "sh",   "cycles"};
constexpr std::size_t kHeaderFieldsAtMost = kColumns;
// With any pipe column, the figures of the pipe follow the movement.
constexpr std::string_view kPipeHeaderSi =
    "od,wall,metal_area,modulus,allowable_range,hot_stress,hot_force,cold_stress,cold_force,leg,"
    "loop_width,loop_height,";
constexpr std::string_view kPipeHeaderUs =
    "od_in,wall_in,metal_area_in2,modulus_psi,allowable_range_psi,hot_stress_psi,hot_force_lbf,"
    "cold_stress_psi,cold_force_lbf,leg_in,loop_width_in,loop_height_in,";
constexpr std::size_t kPipeOutputFields = 12;

std::string_view EncodingName(TextEncoding encoding) {
    return encoding == TextEncoding::Utf8 ? "UTF-8" : "GB18030";
}

class BatchWriter {
  public:
    BatchWriter(std::FILE* out, std::FILE* err, TextEncoding encoding, bool bom, Units units,
                const Catalogue& catalogue)
        : units_(units),
          catalogue_(catalogue),
          out_(out),
          err_(err),
          encoding_(encoding),
          toUtf8_(encoding, TextEncoding::Utf8),
          fromUtf8_(TextEncoding::Utf8, encoding) {
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
            FileError("CSV 文件为空: 应有表头 " + std::string(kHeaderText));
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
        columnOf_.fill(-1);
        for (std::size_t i = 0; named && i < record.fieldCount; ++i) {
            const auto field = FieldAt(record, i);
            named = false;
            for (std::size_t c = 0; c < kColumns; ++c) {
                const bool inPlace = c >= kInstall || c == i;
                if (field == kInputColumns[c] && inPlace && columnOf_[c] < 0) {
                    columnOf_[c] = static_cast<int>(i);
                    named = true;
                }
            }
        }
        if (!named) {
            FileError("第" + std::to_string(record.line) + "行: 表头应为 " +
                      std::string(kHeaderText));
            return;
        }
        headerColumns_ = record.fieldCount;
        for (std::size_t c = kDiameter; c < kColumns; ++c) pipeColumns_ |= columnOf_[c] >= 0;
        std::string_view header = units_ == Units::Si ? kOutputHeaderSi : kOutputHeaderUs;
        if (pipeColumns_) {
            header.remove_suffix(std::string_view("error\n").size());
            buffer_ += header;
            buffer_ += units_ == Units::Si ? kPipeHeaderSi : kPipeHeaderUs;
            buffer_ += "error\n";
            return;
        }
        buffer_ += header;
    }

    std::string_view Input(const CsvRecord& record, Column column) const {
        return columnOf_[column] < 0 ? std::string_view()
                                     : FieldAt(record, static_cast<std::size_t>(columnOf_[column]));
    }

    void Row(const CsvRecord& record) {
        std::string error(record.error);
        std::array<std::string, kColumns> text;  // the fields in UTF-8, by column
        if (error.empty() && record.fieldCount < 3) {
            error = headerColumns_ == 3   ? "应有3列"
                    : headerColumns_ == 4 ? "应有3或4列"
                                          : "应有3至" + std::to_string(headerColumns_) + "列";
        }
        for (std::size_t c = 0; error.empty() && c < kColumns; ++c) {
            if (columnOf_[c] < 0 || static_cast<std::size_t>(columnOf_[c]) >= record.fieldCount) {
                continue;
            }
            auto converted = toUtf8_.Convert(Input(record, static_cast<Column>(c)));
            if (!converted) {
                error = "第" + std::to_string(columnOf_[c] + 1) + "列不是有效的 " +
                        std::string(EncodingName(encoding_)) + " 文本";
            } else {
                text[c] = std::move(*converted);
            }
        }
        if (error.empty()) {
            RequestText request;
            request.material = std::move(text[kMaterial]);
            request.temperature = std::move(text[kTemperature]);
            request.length = std::move(text[kLength]);
            request.units = units_;
            // An empty optional field is not given.
            const auto optional = [&](Column column, std::optional<std::string>& into) {
                if (!text[column].empty()) into = std::move(text[column]);
            };
            optional(kInstall, request.install);
            optional(kCold, request.cold);
            optional(kDiameter, request.pipe.diameter);
            optional(kWall, request.pipe.wall);
            optional(kModulus, request.pipe.modulus);
            optional(kAllowable, request.pipe.allowable);
            optional(kColdAllowable, request.pipe.coldAllowable);
            optional(kHotAllowable, request.pipe.hotAllowable);
            optional(kCycles, request.pipe.cycles);
            const auto evaluation = Evaluate(catalogue_, request, &coefficients_, Detail::Figures);
            if (evaluation.Sound()) {
                WriteResult(record, evaluation);
                return;
            }
            error = evaluation.Refusal();
        }
        failed_ = true;
        // The inputs as they came, each in its column; nothing computed.
        for (std::size_t i = 0; i < kOutputFields - 1; ++i) {
            if (i < 4) AppendCsvField(buffer_, Input(record, static_cast<Column>(i)));
            if (i == 9) AppendCsvField(buffer_, Input(record, kCold));
            buffer_ += ',';
        }
        for (std::size_t i = 0; pipeColumns_ && i < kPipeOutputFields; ++i) {
            if (i == 0) AppendCsvField(buffer_, Input(record, kDiameter));
            if (i == 1) AppendCsvField(buffer_, Input(record, kWall));
            buffer_ += ',';
        }
        AppendError(record.line, error);
        buffer_ += '\n';
    }

    void AppendError(long long line, const std::string& error) {
        const std::string message = "第" + std::to_string(line) + "行: " + error;
        // Every message converts; the fallback only keeps a broken converter from losing it.
        AppendCsvField(buffer_, fromUtf8_.Convert(message).value_or(message));
    }

    // The pipe's figures, each as its line shows it; empty where the row has none.
    void AppendPipe(const Request& request, const std::optional<Compensation>& figures) {
        const auto figure = [&](const std::optional<double>& value) {
            if (value) buffer_ += Figure(*value);
            buffer_ += ',';
        };
        if (!figures) {
            buffer_.append(kPipeOutputFields, ',');
            return;
        }
        figure(request.pipe->diameter);
        figure(request.pipe->wall);
        figure(figures->metalArea);
        figure(figures->modulus);
        figure(figures->allowableRange);
        figure(figures->hot.stress);
        figure(figures->hot.force);
        figure(figures->cold ? std::optional(figures->cold->stress) : std::nullopt);
        figure(figures->cold ? figures->cold->force : std::nullopt);
        figure(figures->leg);
        figure(figures->loopWidth);
        figure(figures->loopHeight);
    }

    void WriteResult(const CsvRecord& record, const Evaluation& evaluation) {
        const Request& request = *evaluation.request;
        const Result& result = *evaluation.result;
        const long long line = record.line;
        // The material as the user wrote it, in the input's own bytes, so that the result
        // lines up with the sheet it came from.
        AppendCsvField(buffer_, Input(record, kMaterial));
        buffer_ += ',';
        const auto temperature = [&](double t) {
            return units_ == Units::Si ? IntegerToText(static_cast<std::int16_t>(t))
                                       : DoubleToText(t);
        };
        const auto optional = [](const std::optional<float>& value) {
            return value ? SingleToText(*value) : std::string();
        };
        const auto coefficient = [&](const CoefficientHit& hit) {
            return units_ == Units::Si ? hit.valueText : SingleToText(hit.coefficient);
        };
        // None of these can hold a comma or a quote: no quoting needed.
        const std::string fields[] = {
            temperature(request.temperature),
            SingleToText(request.length),
            temperature(request.install),
            coefficient(result.coefficient),
            result.installCoefficient ? coefficient(*result.installCoefficient) : std::string(),
            SingleToText(result.expansion),
            optional(result.rate),
            optional(result.finalLength),
            request.cold ? temperature(*request.cold) : std::string(),
            optional(result.coldExpansion),
            optional(result.movement),
        };
        for (const auto& field : fields) {
            buffer_ += field;
            buffer_ += ',';
        }
        if (pipeColumns_) AppendPipe(request, evaluation.compensation);
        // An optional figure that does not fit is the only error such a row can have.
        if (!result.rate) {
            failed_ = true;
            AppendError(line,
                        units_ == Units::Si ? "每米膨胀量超出范围" : "每100英尺膨胀量超出范围");
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

    Units units_;
    const Catalogue& catalogue_;
    std::array<int, kColumns> columnOf_{};  // the input field of each column, -1 for none
    std::FILE* out_;
    std::FILE* err_;
    TextEncoding encoding_;
    EncodingConverter toUtf8_;
    EncodingConverter fromUtf8_;
    CoefficientCache coefficients_{catalogue_};
    long long records_ = 0;
    std::size_t headerColumns_ = 0;
    bool pipeColumns_ = false;
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
    BatchWriter writer(out, err, encoding, bom && encoding == TextEncoding::Utf8, options.units,
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
