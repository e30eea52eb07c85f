#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace velmarith {

// One coefficient of the table. It keeps the kind it was written with, because an element
// printed directly is printed by the rule for its kind: the integer 9 as "9".
class TableElement {
  public:
    constexpr TableElement(std::int16_t value) : value_(value) {}
    constexpr TableElement(double value) : value_(value) {}

    constexpr bool IsInteger() const { return std::holds_alternative<std::int16_t>(value_); }
    constexpr double AsDouble() const {
        return IsInteger() ? static_cast<double>(std::get<std::int16_t>(value_))
                           : std::get<double>(value_);
    }
    std::string ToText() const;

    friend constexpr bool operator==(const TableElement&, const TableElement&) = default;

  private:
    std::variant<std::int16_t, double> value_;
};

}  // namespace velmarith
