#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace velmarith::tool {

// The command line's messages in the window's language: CLI11's help labels, and its parse
// errors said again in Chinese.
void UseChineseHelp(CLI::App& app);
std::string ChineseUsageError(const CLI::ParseError& error);

}  // namespace velmarith::tool
