#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/Inputs.h"
#include "engineering/UserMaterial.h"

namespace velmarith::tool {

// A job's runs between anchors, saved as one JSON document (see the README's "项目文件"):
//   {"format": "velmarith-project", "version": 1, "title": {…}, "units": "si",
//    "materials": [{"name", "reference_C", "grades", "points": [[°C, α], …]}, …],
//    "segments": [{"line", "description", "inputs": {key: text, …}}, …]}
// Members this program does not know, at every level, are kept and written back after its
// own. Reading and writing are pure: the faces do the files.
inline constexpr std::string_view kProjectFormat = "velmarith-project";
inline constexpr int kProjectVersion = 1;
// A dozen runs take a few kB; 5 MB holds thousands and keeps a wrong file from being parsed.
inline constexpr std::size_t kLargestProjectFile = 5 * 1024 * 1024;

using Json = nlohmann::ordered_json;

// The title block of the calculation, as typed.
struct ProjectTitle {
    std::string project;       // 工程名称
    std::string number;        // 工程号
    std::string stage;         // 设计阶段
    std::string calculatedBy;  // 计算
    std::string checkedBy;     // 校核
    std::string approvedBy;    // 审核
    std::string date;          // 日期, as typed ("2026-12-10")
    Json extra = Json::object();
    bool operator==(const ProjectTitle&) const = default;
};

// A material of the user's own, embedded so that the file computes the same elsewhere.
struct ProjectMaterial {
    engineering::UserMaterial material;
    Json extra = Json::object();
    bool operator==(const ProjectMaterial&) const = default;
};

// One run: its line number, what it is, and its request's inputs by the table's keys. The
// project's units hold for every segment.
struct ProjectSegment {
    std::string line;  // 管线号
    std::string description;
    engineering::RequestText inputs;
    // Members of "inputs" that are no input's key, or whose value is no text or number: kept,
    // written back, and the segment's fault.
    Json otherInputs = Json::object();
    Json extra = Json::object();
    // A segment that is no JSON object at all, kept as it was.
    std::optional<Json> unreadable;
    bool operator==(const ProjectSegment&) const = default;
};

struct Project {
    ProjectTitle title;
    engineering::Units units = engineering::Units::Si;
    std::vector<ProjectMaterial> materials;
    std::vector<ProjectSegment> segments;
    Json extra = Json::object();
    bool operator==(const Project&) const = default;
};

// Why a file is refused as a whole: the message, and where the JSON went wrong (line and
// column from 1, the column in characters), when that is the fault.
struct ProjectFault {
    std::string message;
    std::size_t line = 0;
    std::size_t column = 0;
};

// A segment's state after reading: the fault that keeps it from being computed (empty when
// none) and whether another segment has its line number (allowed, and said).
struct SegmentMark {
    std::string fault;
    bool duplicateLine = false;
};

// The text of a project file read, or why it is refused: too large, not JSON (with the
// place), not a project, a newer version, a material that does not hold. A segment with a
// bad input is kept; MarkSegments says what is wrong with it.
std::variant<Project, ProjectFault> ReadProject(std::string_view text);

// The project as a file's text: UTF-8, two spaces of indent, a final line break. Reading it
// gives the same project.
std::string WriteProject(const Project& project);

// The materials a project computes with: the eight and its own.
engineering::Catalogue ProjectCatalogue(const Project& project);

// A segment's request in the project's units, or why it cannot be computed: a member of its
// inputs that names no input or has no usable value, a "units" of its own, or the request's
// first fault as a single calculation words it.
std::variant<engineering::RequestText, std::string> SegmentRequest(
    const engineering::Catalogue& catalogue, const Project& project, const ProjectSegment& segment);

// Each segment's mark, in order.
std::vector<SegmentMark> MarkSegments(const engineering::Catalogue& catalogue,
                                      const Project& project);

// A segment's name for messages and headings: "管线号 P-101", or "第3段" without one.
std::string SegmentName(const Project& project, std::size_t index);

}  // namespace velmarith::tool
