// velmarith-calc: the window's calculation from a terminal, for scripts and batches.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <variant>
#include <vector>

#include "app/calc/Batch.h"
#include "app/calc/CommandLine.h"
#include "app/calc/OneShot.h"
#include "app/calc/Platform.h"
#include "engineering/Report.h"

namespace {

constexpr int kUsageError = 2;

int Run(int argc, char** argv) {
    using namespace velmarith::tool;
    using namespace velmarith::engineering;
    auto parsed = ParseCommandLine(argc, argv);
    if (auto* error = std::get_if<UsageError>(&parsed)) {
        std::fprintf(stderr, "velmarith-calc: %s\n用法见 velmarith-calc --help\n",
                     error->message.c_str());
        return kUsageError;
    }
    const CommandLine& line = std::get<CommandLine>(parsed);
    switch (line.mode) {
        case CommandLine::Mode::Help:
            std::fputs(line.help.c_str(), stdout);
            return 0;
        case CommandLine::Mode::Version:
            std::puts(VersionLine().c_str());
            return 0;
        case CommandLine::Mode::Table: {
            std::optional<int> only;
            if (!line.tableMaterial->empty()) {
                only = ParseMaterial(*line.tableMaterial);
                if (!only) {
                    std::fprintf(stderr, "velmarith-calc: 未知材料: \"%s\"\n",
                                 line.tableMaterial->c_str());
                    return 1;
                }
            }
            velmarith::MaterialTables tables;
            velmarith::BuildMaterialTables(tables);
            for (const auto& text : TableLines(tables, only)) std::printf("%s\n", text.c_str());
            return 0;
        }
        case CommandLine::Mode::Batch: {
            BatchOptions options;
            options.inputName = *line.csv;
            options.units = line.units == "us" ? Units::Us : Units::Si;
            if (line.encoding) {
                options.encoding = (*line.encoding == "utf-8" || *line.encoding == "UTF-8")
                                       ? TextEncoding::Utf8
                                       : TextEncoding::Gb18030;
            }
            if (*line.csv == "-") return RunBatch(stdin, stdout, stderr, options);
            std::FILE* in = OpenForReading(*line.csv);
            if (in == nullptr) {
                std::fprintf(stderr, "velmarith-calc: 无法打开 CSV 文件 %s: %s\n",
                             line.csv->c_str(), std::strerror(errno));
                return 1;
            }
            const int status = RunBatch(in, stdout, stderr, options);
            std::fclose(in);
            return status;
        }
        case CommandLine::Mode::OneCalculation:
            break;
    }
    OneShotOptions one;
    one.material = *line.material;
    one.temperature = *line.temperature;
    one.length = *line.length;
    one.install = line.install;
    one.cold = line.cold;
    one.units = line.units == "us" ? Units::Us : Units::Si;
    one.rate = line.rate;
    one.finalLength = line.finalLength;
    one.explain = line.explain;
    return RunOneShot(one, stdout, stderr);
}

// Everything written must have reached its destination: a full disk is a failure, not
// success. A reader that went away (a closed pipe) ends the program quietly.
int CheckedClose(int status) {
    errno = 0;
    const bool failed =
        std::ferror(stdout) != 0 || std::fflush(stdout) != 0 || std::fclose(stdout) != 0;
    if (!failed) return status;
    if (errno != EPIPE) {
        std::fprintf(stderr, "velmarith-calc: 写入失败: %s\n",
                     std::strerror(errno != 0 ? errno : EIO));
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        velmarith::tool::PrepareStandardStreams();
        auto arguments = velmarith::tool::Utf8Arguments(argc, argv);
        std::vector<char*> pointers(arguments.size());
        for (std::size_t i = 0; i < arguments.size(); ++i) pointers[i] = arguments[i].data();
        return CheckedClose(Run(static_cast<int>(pointers.size()), pointers.data()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmarith-calc: %s\n", error.what());
        return 1;
    }
}
