// velmarith-calc: the window's calculation from a terminal, for scripts and batches.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <variant>
#include <vector>

#include "app/calc/Batch.h"
#include "app/calc/CommandLine.h"
#include "app/calc/MaterialsFile.h"
#include "app/calc/OneShot.h"
#include "app/calc/Platform.h"
#include "app/calc/ProjectRun.h"
#include "app/shared/PlotSvg.h"
#include "app/shared/ResultJson.h"
#include "engineering/Report.h"
#include "runtime/NumberText.h"

namespace {

constexpr int kUsageError = 2;

int Failure(const std::string& message) {
    std::fprintf(stderr, "velmarith-calc: %s\n", message.c_str());
    return 1;
}

// --plot: the picture of one material, with the length and temperature when given.
int WritePlot(const velmarith::engineering::Catalogue& catalogue,
              const velmarith::tool::CommandLine& line) {
    using namespace velmarith;
    using namespace velmarith::engineering;
    // The same checks as a calculation: a request at the material's lowest temperature
    // stands in when no temperature is given.
    using F = RequestField;
    RequestText text = line.request;
    const Units units = text.UnitSystem();
    const auto material = catalogue.Find(text.Text(F::Material));
    if (!material) return Failure("未知材料: " + QuotedInput(text.Text(F::Material)));
    const bool temperatureGiven = text.Has(F::Temperature);
    const bool lengthGiven = text.Has(F::Length);
    if (!temperatureGiven) {
        text[F::Temperature] =
            DoubleToText(units == Units::Si ? catalogue.Low(*material)
                                            : CelsiusToFahrenheit(catalogue.Low(*material)));
    }
    if (!lengthGiven) text[F::Length] = "0";
    auto parsed = ParseRequest(catalogue, text);
    if (auto* message = std::get_if<std::string>(&parsed)) return Failure(*message);
    const Request& request = std::get<Request>(parsed);
    tool::PlotRequest plot;
    plot.material = request.material;
    plot.units = units;
    if (temperatureGiven) plot.temperature = request.Celsius(request.temperature);
    if (lengthGiven) plot.lengthMm = request.LengthMm();
    plot.installCelsius = request.Celsius(request.install);
    const std::string svg = tool::PlotSvg(catalogue, plot);

    std::FILE* file = velmarith::tool::OpenForWriting(*line.plot);
    if (file == nullptr) {
        return Failure("无法写入图文件 " + *line.plot + ": " + std::strerror(errno));
    }
    const bool written = std::fwrite(svg.data(), 1, svg.size(), file) == svg.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed)
        return Failure("无法写入图文件 " + *line.plot + ": " + std::strerror(errno));
    return 0;
}

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
    if (line.mode == CommandLine::Mode::Help) {
        std::fputs(line.help.c_str(), stdout);
        return 0;
    }
    if (line.mode == CommandLine::Mode::Version) {
        std::puts(VersionLine().c_str());
        return 0;
    }
    if (line.mode == CommandLine::Mode::Project) {
        auto bytes = LoadProjectFile(*line.project);
        if (bytes.index() == 1) return Failure(std::get<1>(bytes));
        ProjectRunOptions options;
        options.output = {line.rate, line.finalLength, line.explain};
        options.form = line.json     ? ProjectRunOptions::Form::Json
                       : line.csvOut ? ProjectRunOptions::Form::SummaryCsv
                                     : ProjectRunOptions::Form::Lines;
        const std::string name = *line.project == "-" ? "标准输入" : *line.project;
        return RunProject(name, std::get<0>(bytes), options, stdout, stderr);
    }
    // The user's materials are checked as a whole before anything is computed.
    std::vector<UserMaterial> user;
    if (line.materials) {
        auto loaded = LoadMaterialsFile(*line.materials);
        if (auto* faults = std::get_if<std::string>(&loaded)) {
            std::fputs(faults->c_str(), stderr);
            return 1;
        }
        user = std::move(std::get<std::vector<UserMaterial>>(loaded));
    }
    const Catalogue catalogue(std::move(user));
    const Units units = line.Units();

    switch (line.mode) {
        case CommandLine::Mode::Table: {
            std::optional<int> only;
            if (!line.tableMaterial->empty()) {
                only = catalogue.Find(*line.tableMaterial);
                if (!only) return Failure("未知材料: " + QuotedInput(*line.tableMaterial));
            }
            const auto table = TableOf(catalogue, only);
            if (line.json) {
                std::printf("%s\n", JsonText(TableJson(table)).c_str());
                return 0;
            }
            for (const auto& text : TableLines(table)) std::printf("%s\n", text.c_str());
            return 0;
        }
        case CommandLine::Mode::Plot:
            return WritePlot(catalogue, line);
        case CommandLine::Mode::ToProject:
        case CommandLine::Mode::Batch: {
            BatchOptions options;
            options.inputName = *line.csv;
            options.units = units;
            options.materials = &catalogue;
            options.defaults = line.request;
            if (line.encoding) {
                options.encoding = (*line.encoding == "utf-8" || *line.encoding == "UTF-8")
                                       ? TextEncoding::Utf8
                                       : TextEncoding::Gb18030;
            }
            const auto run = [&](std::FILE* in) {
                if (line.mode == CommandLine::Mode::ToProject) {
                    return RunToProject(in, stdout, stderr, options, catalogue.UserMaterials());
                }
                return RunBatch(in, stdout, stderr, options);
            };
            if (*line.csv == "-") return run(stdin);
            std::FILE* in = OpenForReading(*line.csv);
            if (in == nullptr) {
                return Failure("无法打开 CSV 文件 " + *line.csv + ": " + std::strerror(errno));
            }
            const int status = run(in);
            std::fclose(in);
            return status;
        }
        case CommandLine::Mode::Help:
        case CommandLine::Mode::Version:
        case CommandLine::Mode::Project:
        case CommandLine::Mode::OneCalculation:
            break;
    }
    const OneShotOptions one{line.request, {line.rate, line.finalLength, line.explain}, line.json};
    return RunOneShot(catalogue, one, stdout, stderr);
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
