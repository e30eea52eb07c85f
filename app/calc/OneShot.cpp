#include "app/calc/OneShot.h"

#include "app/shared/ResultJson.h"

namespace velmarith::tool {

int RunOneShot(const engineering::Catalogue& catalogue, const OneShotOptions& options,
               std::FILE* out, std::FILE* err) {
    const auto evaluation = engineering::Evaluate(catalogue, options.request);
    const ResultText text = RenderText(catalogue, evaluation, options.output);
    if (options.json) {
        const auto document = JsonText(ResultJson(catalogue, evaluation, text));
        std::fprintf(out, "%s\n", document.c_str());
    } else {
        for (const auto& line : text.lines) std::fprintf(out, "%s\n", line.c_str());
    }
    for (const auto& note : text.notes)
        std::fprintf(err, "velmarith-calc: 注意: %s\n", note.c_str());
    if (!text.error.empty()) std::fprintf(err, "velmarith-calc: %s\n", text.error.c_str());
    return text.status;
}

}  // namespace velmarith::tool
