// The batch reader on arbitrary bytes: the first byte picks the encoding (detected, UTF-8
// or GB18030), the rest is the CSV file. Never a crash or a sanitizer report, and every output
// line is one well-formed CSV record with as many columns as the header: the row's labels
// (line, description) where the file has them, then the movement's, the pipe's and the line's.
#include <csv.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/calc/Batch.h"

namespace {

struct Count {
    std::size_t fields = 0;
    std::size_t records = 0;
    std::size_t columns = 0;  // the header's
    std::size_t labels = 0;   // the header's leading line and description
    bool wrong = false;
};

void OnField(void* text, std::size_t size, void* data) {
    auto* count = static_cast<Count*>(data);
    const std::string_view field(static_cast<const char*>(text), text ? size : 0);
    if (count->records == 0 && count->labels == count->fields &&
        (field == "line" || field == "description")) {
        ++count->labels;
    }
    ++count->fields;
}

void OnRecordEnd(int, void* data) {
    auto* count = static_cast<Count*>(data);
    if (count->records == 0) count->columns = count->fields;
    // The movement's 13 columns; with a pipe 32; with the line's design 68.
    const std::size_t figures = count->columns - count->labels;
    if (count->fields != count->columns || (figures != 13 && figures != 32 && figures != 68)) {
        count->wrong = true;
    }
    count->fields = 0;
    ++count->records;
}

void CheckOutput(const std::string& out) {
    std::string_view rows(out);
    if (rows.starts_with("\xEF\xBB\xBF")) rows.remove_prefix(3);
    csv_parser parser{};
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI) != 0) std::abort();
    Count count;
    if (csv_parse(&parser, rows.data(), rows.size(), OnField, OnRecordEnd, &count) != rows.size() ||
        csv_fini(&parser, OnField, OnRecordEnd, &count) != 0 || count.wrong ||
        (!rows.empty() && !rows.ends_with('\n'))) {
        std::fprintf(stderr, "malformed output:\n%s\n", out.c_str());
        std::abort();
    }
    csv_free(&parser);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    velmarith::tool::BatchOptions options;
    if (data[0] % 3 == 1) options.encoding = velmarith::tool::TextEncoding::Utf8;
    if (data[0] % 3 == 2) options.encoding = velmarith::tool::TextEncoding::Gb18030;
    std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data + 1), size - 1, "rb");
    if (size == 1) in = std::fopen("/dev/null", "rb");
    char* outData = nullptr;
    std::size_t outSize = 0;
    std::FILE* out = open_memstream(&outData, &outSize);
    std::FILE* err = std::fopen("/dev/null", "w");
    velmarith::tool::RunBatch(in, out, err, options);
    std::fclose(out);
    std::fclose(err);
    std::fclose(in);
    CheckOutput(std::string(outData, outSize));
    std::free(outData);
    return 0;
}
