#include "tables/TableElement.h"

#include "runtime/NumberText.h"

namespace velmarith {

std::string TableElement::ToText() const {
    return IsInteger() ? IntegerToText(std::get<std::int16_t>(value_))
                       : DoubleToText(std::get<double>(value_));
}

}  // namespace velmarith
