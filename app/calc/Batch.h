#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/shared/TextEncoding.h"
#include "engineering/Catalogue.h"
#include "engineering/Inputs.h"
#include "engineering/Units.h"

namespace velmarith::tool {

struct BatchOptions {
    std::string inputName = "-";           // for messages: the file, or "-" for stdin
    std::optional<TextEncoding> encoding;  // none: detected from the input
    engineering::Units units = engineering::Units::Si;
    const engineering::Catalogue* materials = nullptr;  // none: the eight alone
    // The command line's inputs: each row's value where it has no column or an empty cell.
    engineering::RequestText defaults;
};

// Reads CSV rows after a header that names their inputs (see BatchColumns) and writes one
// CSV row per input row (see BatchOutput): every input as understood, every figure, and
// the error. In US units the output header names each column's unit.
// A bad row gets its reason (and its line) in the error column and the batch goes on. Input
// in UTF-8 (with or without a byte-order mark) or GB18030; the output keeps the input's
// encoding and mark. Streams in bounded memory. Returns the exit status: 0, or 1 when any row
// (or the file itself) failed; a failed write stops the batch (the caller reports it).
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options = {});

}  // namespace velmarith::tool
