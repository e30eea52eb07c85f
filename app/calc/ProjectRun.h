#pragma once

#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "app/calc/Batch.h"
#include "app/shared/ResultText.h"
#include "engineering/UserMaterial.h"

namespace velmarith::tool {

// How --project prints: each segment as one calculation's lines, one JSON document, or the
// summary as CSV.
struct ProjectRunOptions {
    enum class Form { Lines, Json, SummaryCsv };
    Form form = Form::Lines;
    OutputOptions output;
};

// The bytes of a project file, at most one byte beyond the largest a project may be (so
// that a larger one is refused by its size, unread), or the message why it cannot be read.
std::variant<std::string, std::string> LoadProjectFile(const std::string& path);

// Every segment of a project file's text computed and printed under its line number: the
// lines (or document, or summary) on out, each refused segment's fault and every note on err.
// Returns 0, or 1 when the file or any segment is refused (after printing every segment).
int RunProject(const std::string& fileName, const std::string& bytes,
               const ProjectRunOptions& options, std::FILE* out, std::FILE* err);

// A batch's CSV rows as a project file on out, one segment a row, numbered by its "line" (or
// "管线号") column or else by its row, described by a "description" ("说明") column, with the
// command line's inputs as each row's defaults and the user's materials embedded. Nothing is
// computed. Returns 0, or 1 when the file or a row cannot be read (the row is left out and
// named on err).
int RunToProject(std::FILE* in, std::FILE* out, std::FILE* err, const BatchOptions& options,
                 const std::vector<engineering::UserMaterial>& materials);

}  // namespace velmarith::tool
