#pragma once

#include <array>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/shared/RowLabels.h"
#include "engineering/Inputs.h"

namespace velmarith::tool {

// Which input each field of a batch's rows holds, read from its header. A header names each
// column by an input's key ("od"), its US column name ("od_in") or its label ("外径",
// "外径 D"), in any order, and may have the row's labels among them. An input that has no
// column takes the command line's value, as does an empty cell.
class BatchColumns {
  public:
    // The header's fields (UTF-8) and the command line's inputs; a fault names the column it
    // does not know, or the input that is neither a column nor an option.
    static std::variant<BatchColumns, std::string> FromHeader(
        const std::vector<std::string>& header, const engineering::RequestText& defaults);

    std::size_t Count() const { return count_; }
    // The field of an input, or -1 when it has no column.
    int FieldOf(engineering::RequestField field) const {
        return fieldOf_[static_cast<std::size_t>(field)];
    }
    // The field of a row's label, or -1 when it has no column.
    int LabelAt(RowLabel label) const { return labelAt_[static_cast<std::size_t>(label)]; }
    // The labels the header has, in their enum's order: the first columns a batch writes.
    std::vector<RowLabel> Labels() const;
    // Whether any of the pipe's inputs is given, by a column or an option.
    bool Pipe() const { return pipe_; }
    // Whether any of the line's inputs is given, by a column or an option.
    bool Line() const { return line_; }

    // One row's request: each field (UTF-8, by its position) where it has one, else the
    // default.
    engineering::RequestText Request(const std::vector<std::string>& fields) const;
    // The same into a request kept from row to row.
    void Fill(const std::vector<std::string>& fields, engineering::RequestText& text) const;

    // Why a row of so many fields is too short, or "" when it is not.
    std::string TooFew(std::size_t fields) const;

  private:
    std::array<int, engineering::kInputCount> fieldOf_{};
    std::array<int, kRowLabelCount> labelAt_{-1, -1};
    std::size_t count_ = 0;
    std::size_t least_ = 0;  // fields up to the last required column
    bool pipe_ = false;
    bool line_ = false;
    engineering::RequestText defaults_;
};

// What a header may name, for messages: "material,temperature,length[,cold][,install]…". The
// line's columns are named for a batch that gives one of the line's inputs.
std::string HeaderText(bool line = false);

}  // namespace velmarith::tool
