#include "app/shared/InputValues.h"

#include "app/shared/CompensationText.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

std::string UnderstoodText(const Request& request, RequestField field) {
    const auto& value = request.Understood(field);
    if (!value) return {};
    switch (Row(field).quantity) {
        case Quantity::Material:
            return std::to_string(request.material);
        case Quantity::Units:
            return std::string(UnitsKey(request.units));
        case Quantity::Choice:
            return std::string(LayoutKey(static_cast<Layout>(*value)));
        case Quantity::Temperature:
            // Whole degrees Celsius as the window has them, or the °F typed.
            return request.units == Units::Si ? IntegerToText(static_cast<std::int16_t>(*value))
                                              : DoubleToText(*value);
        case Quantity::Length:
            // The run's length is stored as the window stores it, in single precision.
            if (field == RequestField::Length) return SingleToText(request.length);
            return Figure(*value);
        case Quantity::Stress:
        case Quantity::Modulus:
        case Quantity::Count:
        case Quantity::Pressure:
        case Quantity::Area:
        case Quantity::Stiffness:
        case Quantity::WeightPerLength:
        case Quantity::Ratio:
            return Figure(*value);
    }
    return {};
}

}  // namespace velmarith::tool
