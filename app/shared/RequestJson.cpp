#include "app/shared/RequestJson.h"

#include <nlohmann/json.hpp>

namespace velmarith::tool {

using namespace engineering;

RequestFromJson ReadRequestJson(std::string_view text) {
    RequestFromJson read;
    const auto object = nlohmann::ordered_json::parse(text, nullptr, false);  // keys in order
    if (!object.is_object()) {
        read.malformed = true;
        return read;
    }
    for (const auto& [key, value] : object.items()) {
        const InputRow* row = FindInput(key);
        if (row == nullptr || row->key != key || !(value.is_string() || value.is_number())) {
            read.unknown.push_back(key);
            continue;
        }
        // A number is taken as the text JSON writes it, so that it reads as typed.
        std::string given = value.is_string() ? value.get<std::string>() : value.dump();
        if (!given.empty()) read.request[row->field] = std::move(given);
    }
    return read;
}

}  // namespace velmarith::tool
