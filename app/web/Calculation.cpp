// velmarith-calc's one calculation for the page's workbench: the same lines, computed by the
// same code, handed to the page as JSON.
#include <emscripten.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/calc/OneShot.h"

namespace {

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            constexpr char kHex[] = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 0xF];
            out += kHex[c & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.emplace_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.emplace_back(text.substr(start));
    return parts;
}

}  // namespace

extern "C" {

// The request as seven fields, one a line: material, temperature, length, installation
// temperature and cold temperature (empty: not given), units ("si" or "us"), and the options
// ("rate", "final", "explain", separated by spaces). The answer, as JSON:
//   {"lines": [...], "error": "...", "status": 0}
EMSCRIPTEN_KEEPALIVE const char* velmarith_calculate(const char* request) {
    static std::string json;
    auto fields = Split(request, '\n');
    fields.resize(7);
    velmarith::tool::OneShotOptions options;
    options.material = fields[0];
    options.temperature = fields[1];
    options.length = fields[2];
    if (!fields[3].empty()) options.install = fields[3];
    if (!fields[4].empty()) options.cold = fields[4];
    options.units =
        fields[5] == "us" ? velmarith::engineering::Units::Us : velmarith::engineering::Units::Si;
    for (const auto& flag : Split(fields[6], ' ')) {
        options.rate |= flag == "rate";
        options.finalLength |= flag == "final";
        options.explain |= flag == "explain";
    }
    static const velmarith::engineering::Catalogue catalogue;
    const auto outcome = velmarith::tool::OneShotLines(catalogue, options);
    json = "{\"lines\":[";
    for (std::size_t i = 0; i < outcome.lines.size(); ++i) {
        json += (i > 0 ? "," : "") + Quoted(outcome.lines[i]);
    }
    json += "],\"error\":" + Quoted(outcome.error) +
            ",\"status\":" + std::to_string(outcome.status) + "}";
    return json.c_str();
}

}  // extern "C"
