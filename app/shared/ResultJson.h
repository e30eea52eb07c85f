#pragma once

#include <nlohmann/json.hpp>

#include "app/shared/ResultText.h"
#include "engineering/Evaluation.h"
#include "engineering/Report.h"

namespace velmarith::tool {

// A figure as JSON: the number its printed text reads as, so that the document and the lines
// agree to the digit; null for none.
nlohmann::ordered_json FigureJson(const std::optional<float>& value);

// One calculation as one document: the lines the text output prints, the units, every figure
// as a number (null where the request has none), the coefficients found, the faults by field
// and the status.
nlohmann::ordered_json ResultJson(const engineering::Catalogue& catalogue,
                                  const engineering::Evaluation& evaluation,
                                  const ResultText& text);

// A document as one line of UTF-8 (text that is not UTF-8 replaced, never an exception).
std::string JsonText(const nlohmann::ordered_json& document);

// The coefficient table for tools: the grid and every material with its range, reference
// temperature and each point's value (null for a placeholder).
nlohmann::ordered_json TableJson(const engineering::CoefficientTableView& table);

// The field names the document uses.
const char* FieldName(engineering::RequestField field);

}  // namespace velmarith::tool
