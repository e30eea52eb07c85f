#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engineering/Evaluation.h"

namespace velmarith::tool {

// The columns a batch writes: every input as understood and every figure --json has, each
// in its column, the error last. Without the pipe's inputs, only the movement's columns; the
// line's only with the line's inputs.
class BatchOutput {
  public:
    // With the line's inputs (line), their columns and figures follow the pipe's.
    BatchOutput(engineering::Units units, bool pipe, bool line = false);

    // The header line, each column named with its unit in US units.
    std::string Header() const;

    // A computed row. The material is written as the row gave it, in the input's own bytes,
    // so that the result lines up with the sheet it came from.
    void AppendResult(std::string& out, std::string_view material,
                      const engineering::Evaluation& evaluation) const;

    // A refused row: the inputs as they came (by field, "" for none), nothing computed.
    void AppendInputs(std::string& out,
                      const std::array<std::string_view, engineering::kInputCount>& typed) const;

  private:
    struct Column;
    std::vector<const Column*> columns_;
    engineering::Units units_;
};

}  // namespace velmarith::tool
