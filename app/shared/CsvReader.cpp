#include "app/shared/CsvReader.h"

#include <new>

namespace velmarith::tool {
namespace {

constexpr unsigned char kOptions = CSV_STRICT | CSV_STRICT_FINI | CSV_APPEND_NULL;
constexpr int kRowNotBegun = 0;  // libcsv's state between records

constexpr std::string_view kFieldTooLong = "字段过长";
constexpr std::string_view kTooManyFields = "列数多于表头";
constexpr std::string_view kBadQuote = "引号使用有误";
constexpr std::string_view kOpenQuote = "引号未闭合";

}  // namespace

CsvReader::CsvReader(std::size_t longestField, Sink sink)
    : longestField_(longestField), sink_(std::move(sink)) {
    if (csv_init(&parser_, kOptions) != 0) throw std::bad_alloc();
}

CsvReader::~CsvReader() { csv_free(&parser_); }

void CsvReader::Restart() {
    csv_free(&parser_);
    if (csv_init(&parser_, kOptions) != 0) throw std::bad_alloc();
    fieldCount_ = 0;
    fieldTooLong_ = false;
    tooManyFields_ = false;
}

void CsvReader::OnField(void* data, std::size_t size, void* self) {
    static_cast<CsvReader*>(self)->Field(static_cast<const char*>(data), size);
}

void CsvReader::OnRecordEnd(int, void* self) { static_cast<CsvReader*>(self)->RecordEnd(); }

void CsvReader::Field(const char* data, std::size_t size) {
    if (fieldCount_ >= mostFields_) {
        tooManyFields_ = true;  // kept out of memory: only the count matters now
        return;
    }
    if (fields_.size() <= fieldCount_) fields_.emplace_back();
    std::string& field = fields_[fieldCount_++];
    fieldTooLong_ = fieldTooLong_ || size > longestField_;
    field.assign(data, std::min(size, longestField_));
}

void CsvReader::RecordEnd() {
    std::string_view error;
    if (tooManyFields_) error = kTooManyFields;
    if (fieldTooLong_) error = kFieldTooLong;
    sink_(CsvRecord{recordLine_, &fields_, fieldCount_, error});
    fieldCount_ = 0;
    fieldTooLong_ = false;
    tooManyFields_ = false;
}

void CsvReader::Abandon(std::string_view error, bool lineEnded) {
    sink_(CsvRecord{recordLine_, &fields_, 0, error});
    Restart();
    skipping_ = !lineEnded;
}

void CsvReader::Feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto newline = bytes.find('\n');
        const std::size_t size = newline == std::string_view::npos ? bytes.size() : newline + 1;
        FeedLinePiece(bytes.substr(0, size));
        bytes.remove_prefix(size);
    }
}

void CsvReader::FeedLinePiece(std::string_view piece) {
    const bool lineEnds = piece.back() == '\n';
    if (skipping_) {
        skipping_ = !lineEnds;
    } else {
        if (parser_.pstate == kRowNotBegun) recordLine_ = line_;
        const std::size_t parsed =
            csv_parse(&parser_, piece.data(), piece.size(), OnField, OnRecordEnd, this);
        if (parsed != piece.size()) {
            if (csv_error(&parser_) != CSV_EPARSE) throw std::bad_alloc();
            Abandon(kBadQuote, lineEnds);
        } else if (parser_.entry_pos > longestField_) {
            Abandon(kFieldTooLong, lineEnds);  // the field under way outgrew the limit
        } else if (tooManyFields_ && parser_.pstate != kRowNotBegun) {
            Abandon(kTooManyFields, lineEnds);
        }
    }
    if (lineEnds) ++line_;
}

void CsvReader::Finish() {
    if (skipping_) return;
    if (csv_fini(&parser_, OnField, OnRecordEnd, this) != 0) {
        sink_(CsvRecord{recordLine_, &fields_, 0, kOpenQuote});
    }
    Restart();
}

}  // namespace velmarith::tool
