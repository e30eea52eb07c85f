// The project reader on arbitrary bytes: never a crash or a sanitizer report. A file it
// accepts writes back to text that reads as the same project and writes the same again;
// every segment is marked or computes, and has its summary row. A refusal says why, and a
// place it gives lies within the text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/shared/ProjectFile.h"
#include "app/shared/ProjectSummary.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmarith::tool;
    using namespace velmarith::engineering;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto read = ReadProject(bytes);
    if (const auto* fault = std::get_if<ProjectFault>(&read)) {
        if (fault->message.empty() || fault->line > size + 1 || fault->column > size + 1) {
            std::abort();
        }
        return 0;
    }
    const Project& project = std::get<Project>(read);
    const std::string text = WriteProject(project);
    const auto again = ReadProject(text);
    if (!std::holds_alternative<Project>(again) || std::get<Project>(again) != project ||
        WriteProject(std::get<Project>(again)) != text) {
        std::abort();
    }
    const Catalogue catalogue = ProjectCatalogue(project);
    const auto marks = MarkSegments(catalogue, project);
    if (marks.size() != project.segments.size()) std::abort();
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const auto request = SegmentRequest(catalogue, project, project.segments[i]);
        if (marks[i].fault.empty() != std::holds_alternative<RequestText>(request)) std::abort();
        if (!marks[i].fault.empty()) {
            SummaryOf(catalogue, project.segments[i], marks[i], nullptr);
            continue;
        }
        const auto evaluation = Evaluate(catalogue, std::get<RequestText>(request));
        const SummaryRow row = SummaryOf(catalogue, project.segments[i], marks[i], &evaluation);
        if (evaluation.Sound() && row.length.empty()) std::abort();
    }
    return 0;
}
