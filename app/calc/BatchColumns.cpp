#include "app/calc/BatchColumns.h"

#include <algorithm>

#include "engineering/Request.h"

namespace velmarith::tool {

using namespace engineering;

std::string HeaderText(bool line) {
    std::string required;
    std::string optional;
    for (const auto& row : Inputs()) {
        if (row.field == RequestField::Units) continue;  // one for the whole batch: --units
        if (row.group == InputGroup::Line && !line) continue;
        if (row.required) {
            required += (required.empty() ? "" : ",") + std::string(row.key);
        } else {
            optional += "[," + std::string(row.key) + "]";
        }
    }
    return required + optional;
}

namespace {

// Every column a header may have, with their Chinese names.
std::string Accepted(bool line) {
    std::string labels;
    for (const auto& row : Inputs()) {
        if (row.field == RequestField::Units) continue;
        if (row.group == InputGroup::Line && !line) continue;
        labels += (labels.empty() ? "" : ", ") + std::string(row.label);
    }
    return HeaderText(line) + " (各列也可用中文名: " + labels +
           "; 另可有 line 或 管线号, description 或 说明 列)";
}

// Whether a batch gives any of the line's inputs: then its messages name the line's columns.
bool UsesLine(const std::vector<std::string>& header, const RequestText& defaults) {
    if (defaults.AnyLine()) return true;
    return std::any_of(header.begin(), header.end(), [](const std::string& name) {
        const InputRow* row = FindInput(name);
        return row != nullptr && row->group == InputGroup::Line;
    });
}

}  // namespace

std::variant<BatchColumns, std::string> BatchColumns::FromHeader(
    const std::vector<std::string>& header, const RequestText& defaults) {
    BatchColumns columns;
    columns.fieldOf_.fill(-1);
    columns.defaults_ = defaults;
    const bool line = UsesLine(header, defaults);
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (const auto label = RowLabelNamed(header[i])) {
            int& at = columns.labelAt_[static_cast<std::size_t>(*label)];
            if (at >= 0) {
                return "表头中的列 " + std::string(RowLabelName(*label)) + " 出现了两次 (第" +
                       std::to_string(at + 1) + "列与第" + std::to_string(i + 1) + "列)";
            }
            at = static_cast<int>(i);
            continue;
        }
        const InputRow* row = FindInput(header[i]);
        if (row == nullptr || row->field == RequestField::Units || row->option == header[i]) {
            return "表头应为 " + Accepted(line) + "; 不认识第" + std::to_string(i + 1) + "列 " +
                   QuotedInput(header[i]);
        }
        int& field = columns.fieldOf_[static_cast<std::size_t>(row->field)];
        if (field >= 0) {
            return "表头中的列 " + std::string(row->key) + " 出现了两次 (第" +
                   std::to_string(field + 1) + "列与第" + std::to_string(i + 1) + "列)";
        }
        field = static_cast<int>(i);
        columns.pipe_ |= row->group != InputGroup::Calculation;
        columns.line_ |= row->group == InputGroup::Line;
    }
    for (const auto& row : Inputs()) {
        const bool column = columns.FieldOf(row.field) >= 0;
        if (row.required && !column && !defaults.Has(row.field)) {
            return "表头缺少列 " + std::string(row.key) + " (或给出选项 " +
                   std::string(row.option) + "); 表头应为 " + HeaderText(line);
        }
        columns.pipe_ |= row.group != InputGroup::Calculation && defaults.Has(row.field);
        columns.line_ |= row.group == InputGroup::Line && defaults.Has(row.field);
    }
    columns.count_ = header.size();
    // A row may leave out the optional columns at its end, not a required one.
    for (const auto& row : Inputs()) {
        if (row.required && columns.FieldOf(row.field) >= 0) {
            columns.least_ = std::max(columns.least_, std::size_t(columns.FieldOf(row.field)) + 1);
        }
    }
    return columns;
}

std::vector<RowLabel> BatchColumns::Labels() const {
    std::vector<RowLabel> labels;
    for (std::size_t i = 0; i < labelAt_.size(); ++i) {
        if (labelAt_[i] >= 0) labels.push_back(static_cast<RowLabel>(i));
    }
    return labels;
}

RequestText BatchColumns::Request(const std::vector<std::string>& fields) const {
    RequestText text;
    Fill(fields, text);
    return text;
}

void BatchColumns::Fill(const std::vector<std::string>& fields, RequestText& text) const {
    for (const auto& row : Inputs()) {
        const int at = FieldOf(row.field);
        const bool inCell = at >= 0 && static_cast<std::size_t>(at) < fields.size() &&
                            !fields[static_cast<std::size_t>(at)].empty();
        // An empty cell is not given: the option's value, or none. Assigning keeps the
        // strings' storage from row to row.
        if (inCell) {
            text[row.field] = fields[static_cast<std::size_t>(at)];
        } else {
            text[row.field] = defaults_[row.field];
        }
    }
}

}  // namespace velmarith::tool

namespace velmarith::tool {

std::string BatchColumns::TooFew(std::size_t fields) const {
    if (fields >= least_) return {};
    const std::string least = std::to_string(least_);
    if (count_ == least_) return "应有" + least + "列";
    if (count_ == least_ + 1) return "应有" + least + "或" + std::to_string(count_) + "列";
    return "应有" + least + "至" + std::to_string(count_) + "列";
}

}  // namespace velmarith::tool
