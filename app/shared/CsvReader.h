#pragma once

#include <csv.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmarith::tool {

// One CSV record as the batch sees it: the physical line it starts on, its fields (at most
// the reader's limit, each cut to the longest allowed), and what is wrong with it, if anything.
struct CsvRecord {
    long long line = 0;
    const std::vector<std::string>* fields = nullptr;
    std::size_t fieldCount = 0;
    std::string_view error;  // empty for a sound record
};

// Reads CSV (RFC 4180, with libcsv in strict mode) from bytes fed in pieces of any size,
// in memory bounded by the limits whatever the input. A record with a bad quote, a field
// too long or more fields than allowed is handed on as an error at once, and reading picks
// up again at the next line, so that one bad record never costs the ones after it.
class CsvReader {
  public:
    using Sink = std::function<void(const CsvRecord&)>;

    CsvReader(std::size_t longestField, Sink sink);
    ~CsvReader();
    CsvReader(const CsvReader&) = delete;
    CsvReader& operator=(const CsvReader&) = delete;

    // Fields beyond this many make the record an error (set once the header is known).
    void SetMostFields(std::size_t mostFields) { mostFields_ = mostFields; }
    void Feed(std::string_view bytes);
    void Finish();

  private:
    static void OnField(void* data, std::size_t size, void* self);
    static void OnRecordEnd(int, void* self);
    void Field(const char* data, std::size_t size);
    void RecordEnd();
    void FeedLinePiece(std::string_view piece);
    // Hands on the record under way as an error and skips to the end of its line.
    void Abandon(std::string_view error, bool lineEnded);
    void Restart();

    csv_parser parser_{};
    std::size_t longestField_;
    std::size_t mostFields_ = 64;
    Sink sink_;
    std::vector<std::string> fields_;
    std::size_t fieldCount_ = 0;
    bool fieldTooLong_ = false;
    bool tooManyFields_ = false;
    long long line_ = 1;        // the physical line being read
    long long recordLine_ = 1;  // the line the record under way started on
    bool skipping_ = false;     // after an error: discarding the rest of the line
};

}  // namespace velmarith::tool
