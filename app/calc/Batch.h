#pragma once

#include <cstdio>

namespace velmarith::tool {

// Reads CSV rows "material,temperature,length[,install]" after that header and writes one CSV
// row per input row: the inputs, coefficient(s), expansion, mm/m, final length and error.
// A bad row gets its reason in the error column and the batch goes on. Streams in bounded
// memory. Returns the exit status: 0, or 1 when any row (or the file itself) failed.
int RunBatch(std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace velmarith::tool
