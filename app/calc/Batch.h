#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/calc/TextEncoding.h"

namespace velmarith::tool {

struct BatchOptions {
    std::string inputName = "-";           // for messages: the file, or "-" for stdin
    std::optional<TextEncoding> encoding;  // none: detected from the input
};

// Reads CSV rows "material,temperature,length[,install]" after that header and writes one CSV
// row per input row: the inputs, coefficient(s), expansion, mm/m, final length and error.
// A bad row gets its reason (and its line) in the error column and the batch goes on. Input
// in UTF-8 (with or without a byte-order mark) or GB18030; the output keeps the input's
// encoding and mark. Streams in bounded memory. Returns the exit status: 0, or 1 when any row
// (or the file itself) failed; a failed write stops the batch (the caller reports it).
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options = {});

}  // namespace velmarith::tool
