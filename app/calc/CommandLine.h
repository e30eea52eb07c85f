#pragma once

#include <optional>
#include <string>
#include <variant>

#include "engineering/Inputs.h"

namespace velmarith::tool {

// What the command line asks for, before any of its values is checked.
struct CommandLine {
    enum class Mode { Help, Version, OneCalculation, Batch, Table, Plot, Project, ToProject };
    Mode mode = Mode::OneCalculation;

    // The request's inputs as given, one option each (see engineering/Inputs.h); with --csv
    // the defaults of the batch's rows.
    engineering::RequestText request;
    // Output.
    bool rate = false;
    bool finalLength = false;
    bool explain = false;
    bool json = false;                // one JSON document (one calculation, or the table)
    std::optional<std::string> plot;  // an SVG file to write
    // Batch.
    std::optional<std::string> csv;
    std::optional<std::string> encoding;
    // Table: all materials, or the one named.
    std::optional<std::string> tableMaterial;
    // A project file: each segment computed as one calculation; with csvOut its summary.
    std::optional<std::string> project;
    bool csvOut = false;
    // With --csv: the rows as a project file instead of computed.
    bool toProject = false;
    // Materials of the user's own, for every mode but a project, which carries its own.
    std::optional<std::string> materials;

    std::string help;  // the usage text, with --help

    engineering::Units Units() const { return request.UnitSystem(); }
};

// A usage error: the message, in the program's language, without the usage text.
struct UsageError {
    std::string message;
};

// Reads the arguments (UTF-8). Which options go together is checked here, from the
// program's own option names, not from the parser's wording.
std::variant<CommandLine, UsageError> ParseCommandLine(int argc, char** argv);

std::string VersionLine();

}  // namespace velmarith::tool
