#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "app/shared/TextEncoding.h"
#include "engineering/Catalogue.h"
#include "engineering/Units.h"

namespace velmarith::tool {

struct BatchOptions {
    std::string inputName = "-";           // for messages: the file, or "-" for stdin
    std::optional<TextEncoding> encoding;  // none: detected from the input
    engineering::Units units = engineering::Units::Si;
    const engineering::Catalogue* materials = nullptr;  // none: the eight alone
};

// Reads CSV rows "material,temperature,length[,install][,cold]" after that header and writes
// one CSV row per input row: the inputs, coefficient(s), expansion, rate, final length, the
// cold temperature with the change to it and the movement from it, and the error. In US
// units the output header names each column's unit.
// A bad row gets its reason (and its line) in the error column and the batch goes on. Input
// in UTF-8 (with or without a byte-order mark) or GB18030; the output keeps the input's
// encoding and mark. Streams in bounded memory. Returns the exit status: 0, or 1 when any row
// (or the file itself) failed; a failed write stops the batch (the caller reports it).
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options = {});

}  // namespace velmarith::tool
