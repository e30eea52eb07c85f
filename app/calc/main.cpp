// velmarith-calc: the window's calculation from a terminal, for scripts and batches.
#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "app/calc/Batch.h"
#include "app/calc/Engineering.h"
#include "app/calc/OneShot.h"
#include "app/calc/Platform.h"
#include "app/calc/Report.h"
#include "app/calc/UsageText.h"
#include "texts/Texts.h"

namespace {

constexpr int kUsageError = 2;

int UsageError(const CLI::App& app, const std::string& message) {
    std::fprintf(stderr, "velmarith-calc: %s\n\n%s", message.c_str(), app.help().c_str());
    return kUsageError;
}

int Run(int argc, char** argv) {
    using namespace velmarith::tool;
    CLI::App app{"金属热膨胀量计算 (与 Velmarith 窗口的计算相同)", "velmarith-calc"};
    UseChineseHelp(app);
    app.set_help_flag("-h,--help", "显示帮助并退出");
    const std::string version = "velmarith-calc (" + std::string(velmarith::texts::ProductName) +
                                ") " + std::string(velmarith::texts::FileVersion);
    app.set_version_flag("--version", version, "显示版本并退出");

    OneShotOptions one;
    std::string installText;
    std::string csvPath;
    std::string encodingName;
    std::string tableMaterial;
    auto* material = app.add_option("-m,--material", one.material, "材料: 序号 0-7 或材料名称");
    auto* temperature = app.add_option("-t,--temperature", one.temperature, "温度 (整摄氏度数)");
    auto* length = app.add_option("-l,--length", one.length, "长度 (mm)");
    auto* install = app.add_option("-i,--install", installText, "安装温度 (摄氏度), 默认 20");
    auto* rate = app.add_flag("--rate", one.rate, "另外给出每米膨胀量 (mm/m)");
    auto* finalLength = app.add_flag("--final", one.finalLength, "另外给出膨胀后长度 (mm)");
    auto* explain = app.add_flag("--explain", one.explain, "列出插值所用的网格点与计算过程");
    auto* table =
        app.add_option("--table", tableMaterial, "列出膨胀系数表 (可只列一种材料)")->expected(0, 1);
    auto* csv = app.add_option("--csv", csvPath,
                               "批量计算: CSV 文件 (- 为标准输入), 表头 "
                               "material,temperature,length[,install]; UTF-8 (可带 BOM) "
                               "或 GB18030, 结果用同一编码写出");
    auto* encoding =
        app.add_option("--encoding", encodingName, "CSV 的编码: utf-8 或 gb18030 (默认自动识别)")
            ->check(CLI::IsMember({"utf-8", "gb18030"}, CLI::ignore_case).description(""))
            ->type_name("编码")
            ->needs(csv);
    for (auto* option : {material, temperature, length, install, rate, finalLength, explain}) {
        option->excludes(table)->excludes(csv);
    }
    table->excludes(csv);
    table->excludes(encoding);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::fputs(app.help().c_str(), stdout);
        return 0;
    } catch (const CLI::CallForVersion&) {
        std::puts(version.c_str());
        return 0;
    } catch (const CLI::ParseError& error) {
        return UsageError(app, ChineseUsageError(error));
    }

    if (table->count() > 0) {
        std::optional<int> only;
        if (!tableMaterial.empty()) {
            only = ParseMaterial(tableMaterial);
            if (!only) {
                std::fprintf(stderr, "velmarith-calc: 未知材料: \"%s\"\n", tableMaterial.c_str());
                return 1;
            }
        }
        velmarith::MaterialTables tables;
        velmarith::BuildMaterialTables(tables);
        for (const auto& line : TableLines(tables, only)) std::printf("%s\n", line.c_str());
        return 0;
    }
    if (csv->count() > 0) {
        BatchOptions options;
        options.inputName = csvPath;
        if (!encodingName.empty()) {
            options.encoding = (encodingName == "utf-8" || encodingName == "UTF-8")
                                   ? TextEncoding::Utf8
                                   : TextEncoding::Gb18030;
        }
        if (csvPath == "-") return RunBatch(stdin, stdout, stderr, options);
        std::FILE* in = OpenForReading(csvPath);
        if (in == nullptr) {
            std::fprintf(stderr, "velmarith-calc: 无法打开 CSV 文件 %s: %s\n", csvPath.c_str(),
                         std::strerror(errno));
            return 1;
        }
        const int status = RunBatch(in, stdout, stderr, options);
        std::fclose(in);
        return status;
    }
    if (material->count() == 0 || temperature->count() == 0 || length->count() == 0) {
        return UsageError(app, "需要 --material, --temperature 和 --length (或 --table, --csv)");
    }
    if (install->count() > 0) one.install = installText;
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
