#include "app/calc/CommandLine.h"

#include <CLI/CLI.hpp>
#include <string_view>
#include <vector>

#include "texts/Texts.h"

namespace velmarith::tool {
namespace {

constexpr const char* kOneCalculation = "一次计算";
constexpr const char* kPipe = "管道与补偿 (导向悬臂法估算)";
constexpr const char* kOutput = "输出";
constexpr const char* kBatch = "批量计算";
constexpr const char* kTable = "系数表与材料";
constexpr const char* kOther = "其他";

// A value option, kept as every value given, so that "given twice" is ours to say.
struct ValueOption {
    CLI::Option* option;
    std::vector<std::string> values;
};

void UseChineseLabels(CLI::App& app) {
    auto formatter = app.get_formatter();
    const std::pair<const char*, const char*> labels[] = {
        {"Usage", "用法"},           {"OPTIONS", "选项"}, {"REQUIRED", "必需"}, {"Needs", "需要"},
        {"Positionals", "位置参数"}, {"TEXT", "文本"},    {"Env", "环境变量"},
    };
    for (const auto& [key, value] : labels) formatter->label(key, value);
    formatter->column_width(28);
}

std::string_view OptionName(const std::string& argument) {
    std::string_view name(argument);
    if (const auto equals = name.find('='); equals != std::string_view::npos) {
        name = name.substr(0, equals);
    }
    return name;
}

// The option of ours that an argument names ("-m", "--material", "--material=…").
const CLI::Option* Named(const std::vector<const CLI::Option*>& options, std::string_view name) {
    for (const auto* option : options) {
        if (!name.starts_with('-')) break;
        if (option->check_name(std::string(name))) return option;
    }
    return nullptr;
}

// Our options take every value as text, so what the parser refuses is a value that is
// missing (an option last, or before another option) or a flag given a value.
UsageError ParseFailure(const std::vector<const CLI::Option*>& all, const CLI::Option* table,
                        const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const CLI::Option* option = Named(all, OptionName(arguments[i]));
        if (option == nullptr) continue;
        const std::string name = option->get_name();
        const bool withValue = arguments[i].find('=') != std::string::npos;
        const bool isFlag = option->get_expected_min() == 0 && option != table;
        if (isFlag && withValue) return UsageError{"选项 " + name + " 不带值"};
        const bool last = i + 1 == arguments.size();
        if (!isFlag && !withValue && option != table &&
            (last || Named(all, OptionName(arguments[i + 1])) != nullptr)) {
            return UsageError{"选项 " + name + " 缺少值"};
        }
    }
    return UsageError{"命令行有误"};
}

}  // namespace

engineering::RequestText CommandLine::Request() const {
    engineering::RequestText text;
    text.material = material.value_or("");
    text.temperature = temperature.value_or("");
    text.length = length.value_or("");
    text.install = install;
    text.cold = cold;
    text.units = units == "us" ? engineering::Units::Us : engineering::Units::Si;
    text.pipe = pipe;
    return text;
}

std::string VersionLine() {
    return "velmarith-calc (" + std::string(texts::ProductName) + ") " +
           std::string(texts::FileVersion);
}

std::variant<CommandLine, UsageError> ParseCommandLine(int argc, char** argv) {
    CLI::App app{"金属热膨胀量计算 (与 Velmarith 窗口的计算相同)", "velmarith-calc"};
    UseChineseLabels(app);
    app.set_help_flag();
    bool help = false;
    bool version = false;

    ValueOption material, temperature, cold, length, install, units, plot, csv, encoding, table,
        materials, od, wall, modulus, sa, sc, sh, cycles;
    CommandLine line;
    const auto value = [&app](ValueOption& into, const char* names, const char* type,
                              const char* text, const char* group) {
        // CLI11 pads by bytes, so a Chinese placeholder would misalign the columns.
        into.option = app.add_option(names, into.values, std::string(type) + ": " + text)
                          ->group(group)
                          ->type_name("");
        into.option->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        return into.option;
    };
    value(material, "-m,--material", "材料", "序号 0-7, 材料名称或自定义材料名", kOneCalculation);
    value(temperature, "-t,--temperature", "温度", "最热状态, 整摄氏度数 (美制: 华氏度)",
          kOneCalculation);
    value(cold, "--cold", "冷态温度", "最冷状态; 另给出安装至冷态的量与冷态至热态的位移",
          kOneCalculation);
    value(length, "-l,--length", "长度", "mm (美制: in)", kOneCalculation);
    value(install, "-i,--install", "安装温度", "默认 20 摄氏度 (68°F)", kOneCalculation);
    value(units, "--units", "单位", "si (摄氏度, mm; 默认) 或 us (°F, in, in/100ft)",
          kOneCalculation);
    value(od, "--od", "外径", "管道外径 D (mm; 美制 in): 另给出两端固定的应力与推力, 补偿", kPipe);
    value(wall, "--wall", "壁厚", "管道壁厚 t (mm; 美制 in): 另给出截面积与固定点推力", kPipe);
    value(modulus, "--modulus", "Ea", "弹性模量 (MPa; 美制 psi), 默认按材料 (B31.3 表 C-6)", kPipe);
    value(sa, "--sa", "SA", "许用位移应力范围 (MPa; 美制 psi): 另给出弯臂与 Π 形补偿器", kPipe);
    value(sc, "--sc", "Sc", "冷态许用应力, 与 --sh 一起代替 --sa", kPipe);
    value(sh, "--sh", "Sh", "热态许用应力", kPipe);
    value(cycles, "--cycles", "N", "等效满循环次数, 默认 7000", kPipe);
    auto* rate =
        app.add_flag("--rate", line.rate, "另给出每米膨胀量 (mm/m; 美制 in/100ft)")->group(kOutput);
    auto* finalLength =
        app.add_flag("--final", line.finalLength, "另给出膨胀后长度")->group(kOutput);
    auto* explain =
        app.add_flag("--explain", line.explain, "列出插值所用的网格点与计算过程")->group(kOutput);
    auto* json =
        app.add_flag("--json", line.json, "一次计算或 --table 以一个 JSON 文档输出 (UTF-8)")
            ->group(kOutput);
    value(plot, "--plot", "文件", "把该材料的 α(T) (有 --length 时另加 ΔL(T)) 画成 SVG 文件",
          kOutput);
    value(csv, "--csv", "文件", "每行一次计算的 CSV 文件 (- 为标准输入), 结果写到标准输出", kBatch);
    value(encoding, "--encoding", "编码", "utf-8 或 gb18030 (默认自动识别)", kBatch);
    value(table, "--table", "[材料]", "列出膨胀系数表, 或只列一种材料", kTable)->expected(0, 1);
    value(materials, "--materials", "文件", "自定义材料的 CSV 文件, 每行一个表点 (见手册)", kTable);
    app.add_flag("-h,--help", help, "显示帮助并退出")->group(kOther);
    app.add_flag("--version", version, "显示版本并退出")->group(kOther);

    const std::vector<const CLI::Option*> all = {material.option,
                                                 temperature.option,
                                                 length.option,
                                                 install.option,
                                                 rate,
                                                 finalLength,
                                                 explain,
                                                 json,
                                                 csv.option,
                                                 encoding.option,
                                                 table.option,
                                                 od.option,
                                                 wall.option,
                                                 modulus.option,
                                                 sa.option,
                                                 sc.option,
                                                 sh.option,
                                                 cycles.option};
    try {
        app.parse(argc, argv);
    } catch (const CLI::ExtrasError&) {
        std::string extras;
        for (const auto& extra : app.remaining()) extras += (extras.empty() ? "" : " ") + extra;
        return UsageError{"无法识别的参数: " + extras};
    } catch (const CLI::ParseError&) {
        return ParseFailure(all, table.option, std::vector<std::string>(argv + 1, argv + argc));
    }
    line.help = app.help();
    if (help) {
        line.mode = CommandLine::Mode::Help;
        return line;
    }
    if (version) {
        line.mode = CommandLine::Mode::Version;
        return line;
    }

    // One value each.
    for (auto* option :
         {&material, &temperature, &cold, &length, &install, &units, &plot, &csv, &encoding, &table,
          &materials, &od, &wall, &modulus, &sa, &sc, &sh, &cycles}) {
        if (option->values.size() > 1) {
            return UsageError{"选项 " + option->option->get_name() + " 只能给一次"};
        }
    }
    const auto take = [](const ValueOption& option) -> std::optional<std::string> {
        if (option.values.empty()) return std::nullopt;
        return option.values.front();
    };
    line.material = take(material);
    line.temperature = take(temperature);
    line.cold = take(cold);
    line.length = take(length);
    if (!units.values.empty()) line.units = units.values.front();
    line.install = take(install);
    line.pipe = {take(od), take(wall), take(modulus), take(sa), take(sc), take(sh), take(cycles)};
    line.plot = take(plot);
    line.materials = take(materials);
    line.csv = take(csv);
    line.encoding = take(encoding);
    if (table.option->count() > 0) line.tableMaterial = take(table).value_or("");

    if (line.units != "si" && line.units != "us") {
        return UsageError{"选项 --units 的值无效: \"" + line.units + "\" (应为 si 或 us)"};
    }
    if (line.encoding && *line.encoding != "utf-8" && *line.encoding != "UTF-8" &&
        *line.encoding != "gb18030" && *line.encoding != "GB18030") {
        return UsageError{"选项 --encoding 的值无效: \"" + *line.encoding +
                          "\" (应为 utf-8 或 gb18030)"};
    }

    // Which options go together: the first one given of each mode decides.
    const auto given = [](const CLI::Option* option) { return option->count() > 0; };
    const std::vector<const CLI::Option*> calculation = {
        material.option, temperature.option, length.option, install.option, rate, finalLength,
        explain};
    const std::vector<const CLI::Option*> pipe = {od.option, wall.option, modulus.option, sa.option,
                                                  sc.option, sh.option,   cycles.option};
    const auto refuse =
        [&](const CLI::Option* mode,
            const std::vector<const CLI::Option*>& others) -> std::optional<UsageError> {
        for (const auto* other : others) {
            if (given(other)) {
                return UsageError{"选项 " + mode->get_name() + " 与 " + other->get_name() +
                                  " 不能同时使用"};
            }
        }
        return std::nullopt;
    };
    std::optional<UsageError> refused;
    if (given(table.option)) {
        auto others = calculation;
        others.insert(others.end(), {csv.option, encoding.option, units.option, plot.option});
        others.insert(others.end(), pipe.begin(), pipe.end());
        refused = refuse(table.option, others);
        line.mode = CommandLine::Mode::Table;
    } else if (given(csv.option)) {
        auto others = calculation;
        others.insert(others.end(), {plot.option, json});
        others.insert(others.end(), pipe.begin(), pipe.end());
        refused = refuse(csv.option, others);
        line.mode = CommandLine::Mode::Batch;
    } else if (given(encoding.option)) {
        return UsageError{"选项 --encoding 需要与 --csv 一起使用"};
    } else if (given(plot.option)) {
        auto others = pipe;
        others.insert(others.end(), {cold.option, rate, finalLength, explain, json});
        refused = refuse(plot.option, others);
        line.mode = CommandLine::Mode::Plot;
        if (!refused && !line.material) return UsageError{"选项 --plot 需要 --material"};
    } else {
        line.mode = CommandLine::Mode::OneCalculation;
        if (!line.material || !line.temperature || !line.length) {
            return UsageError{"需要 --material, --temperature 和 --length (或 --table, --csv)"};
        }
    }
    if (refused) return *refused;
    return line;
}

}  // namespace velmarith::tool
