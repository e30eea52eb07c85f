#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace velmarith::tool {

// The program's arguments in UTF-8. On Windows main()'s argv is in the ANSI code page, which
// cannot hold every material name; the wide command line is converted instead.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Opens a file named in UTF-8 for reading in binary mode.
std::FILE* OpenForReading(const std::string& utf8Path);
std::FILE* OpenForWriting(const std::string& utf8Path);

// Standard streams that pass bytes through unchanged (no CRLF translation on Windows, so
// that the output is the same everywhere) and a console that shows UTF-8.
void PrepareStandardStreams();

}  // namespace velmarith::tool
