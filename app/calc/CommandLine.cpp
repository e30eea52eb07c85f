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

namespace {

// The options, declared once, and what they were given.
class Parser {
  public:
    Parser() : app_{"金属热膨胀量计算 (与 Velmarith 窗口的计算相同)", "velmarith-calc"} {
        UseChineseLabels(app_);
        app_.set_help_flag();
        DeclareCalculation();
        DeclarePipe();
        DeclareOutput();
        DeclareOthers();
    }

    std::variant<CommandLine, UsageError> Parse(int argc, char** argv) {
        try {
            app_.parse(argc, argv);
        } catch (const CLI::ExtrasError&) {
            std::string extras;
            for (const auto& extra : app_.remaining()) {
                extras += (extras.empty() ? "" : " ") + extra;
            }
            return UsageError{"无法识别的参数: " + extras};
        } catch (const CLI::ParseError&) {
            return ParseFailure(WithValues(), table_.option,
                                std::vector<std::string>(argv + 1, argv + argc));
        }
        if (help_) {
            line_.help = app_.help();  // written out only when asked for
            line_.mode = CommandLine::Mode::Help;
            return line_;
        }
        if (version_) {
            line_.mode = CommandLine::Mode::Version;
            return line_;
        }
        if (auto error = TakeValues()) return *error;
        if (auto error = ChooseMode()) return *error;
        return line_;
    }

  private:
    CLI::Option* Value(ValueOption& into, const char* names, const char* type, const char* text,
                       const char* group) {
        // CLI11 pads by bytes, so a Chinese placeholder would misalign the columns.
        into.option = app_.add_option(names, into.values, std::string(type) + ": " + text)
                          ->group(group)
                          ->type_name("");
        into.option->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        return into.option;
    }

    void DeclareCalculation() {
        Value(material_, "-m,--material", "材料", "序号 0-7, 材料名称或自定义材料名",
              kOneCalculation);
        Value(temperature_, "-t,--temperature", "温度", "最热状态, 整摄氏度数 (美制: 华氏度)",
              kOneCalculation);
        Value(cold_, "--cold", "冷态温度", "最冷状态; 另给出安装至冷态的量与冷态至热态的位移",
              kOneCalculation);
        Value(length_, "-l,--length", "长度", "mm (美制: in)", kOneCalculation);
        Value(install_, "-i,--install", "安装温度", "默认 20 摄氏度 (68°F)", kOneCalculation);
        Value(units_, "--units", "单位", "si (摄氏度, mm; 默认) 或 us (°F, in, in/100ft)",
              kOneCalculation);
    }

    void DeclarePipe() {
        Value(od_, "--od", "外径", "管道外径 D (mm; 美制 in): 另给出两端固定的应力与推力, 补偿",
              kPipe);
        Value(wall_, "--wall", "壁厚", "管道壁厚 t (mm; 美制 in): 另给出截面积与固定点推力", kPipe);
        Value(modulus_, "--modulus", "Ea", "弹性模量 (MPa; 美制 psi), 默认按材料 (B31.3 表 C-6)",
              kPipe);
        Value(sa_, "--sa", "SA", "许用位移应力范围 (MPa; 美制 psi): 另给出弯臂与 Π 形补偿器",
              kPipe);
        Value(sc_, "--sc", "Sc", "冷态许用应力, 与 --sh 一起代替 --sa", kPipe);
        Value(sh_, "--sh", "Sh", "热态许用应力", kPipe);
        Value(cycles_, "--cycles", "N", "等效满循环次数, 默认 7000", kPipe);
    }

    void DeclareOutput() {
        rate_ = app_.add_flag("--rate", line_.rate, "另给出每米膨胀量 (mm/m; 美制 in/100ft)")
                    ->group(kOutput);
        final_ = app_.add_flag("--final", line_.finalLength, "另给出膨胀后长度")->group(kOutput);
        explain_ = app_.add_flag("--explain", line_.explain, "列出插值所用的网格点与计算过程")
                       ->group(kOutput);
        json_ =
            app_.add_flag("--json", line_.json, "一次计算或 --table 以一个 JSON 文档输出 (UTF-8)")
                ->group(kOutput);
        Value(plot_, "--plot", "文件", "把该材料的 α(T) (有 --length 时另加 ΔL(T)) 画成 SVG 文件",
              kOutput);
    }

    void DeclareOthers() {
        Value(csv_, "--csv", "文件", "每行一次计算的 CSV 文件 (- 为标准输入), 结果写到标准输出",
              kBatch);
        Value(encoding_, "--encoding", "编码", "utf-8 或 gb18030 (默认自动识别)", kBatch);
        Value(table_, "--table", "[材料]", "列出膨胀系数表, 或只列一种材料", kTable)
            ->expected(0, 1);
        Value(materials_, "--materials", "文件", "自定义材料的 CSV 文件, 每行一个表点 (见手册)",
              kTable);
        app_.add_flag("-h,--help", help_, "显示帮助并退出")->group(kOther);
        app_.add_flag("--version", version_, "显示版本并退出")->group(kOther);
    }

    // The options whose missing value the parser's refusal may be about.
    std::vector<const CLI::Option*> WithValues() const {
        std::vector<const CLI::Option*> all = {material_.option,
                                               temperature_.option,
                                               length_.option,
                                               install_.option,
                                               rate_,
                                               final_,
                                               explain_,
                                               json_,
                                               csv_.option,
                                               encoding_.option,
                                               table_.option};
        const auto pipe = Pipe();
        all.insert(all.end(), pipe.begin(), pipe.end());
        return all;
    }

    std::vector<const CLI::Option*> Pipe() const {
        return {od_.option, wall_.option, modulus_.option, sa_.option,
                sc_.option, sh_.option,   cycles_.option};
    }

    static std::optional<std::string> Take(const ValueOption& option) {
        if (option.values.empty()) return std::nullopt;
        return option.values.front();
    }

    // One value each, and the values that are words checked.
    std::optional<UsageError> TakeValues() {
        for (const auto* option : {&material_, &temperature_, &cold_, &length_, &install_, &units_,
                                   &plot_, &csv_, &encoding_, &table_, &materials_, &od_, &wall_,
                                   &modulus_, &sa_, &sc_, &sh_, &cycles_}) {
            if (option->values.size() > 1) {
                return UsageError{"选项 " + option->option->get_name() + " 只能给一次"};
            }
        }
        line_.material = Take(material_);
        line_.temperature = Take(temperature_);
        line_.cold = Take(cold_);
        line_.length = Take(length_);
        if (!units_.values.empty()) line_.units = units_.values.front();
        line_.install = Take(install_);
        line_.pipe = {Take(od_), Take(wall_), Take(modulus_), Take(sa_),
                      Take(sc_), Take(sh_),   Take(cycles_)};
        line_.plot = Take(plot_);
        line_.materials = Take(materials_);
        line_.csv = Take(csv_);
        line_.encoding = Take(encoding_);
        if (table_.option->count() > 0) line_.tableMaterial = Take(table_).value_or("");

        if (line_.units != "si" && line_.units != "us") {
            return UsageError{"选项 --units 的值无效: \"" + line_.units + "\" (应为 si 或 us)"};
        }
        const auto& encoding = line_.encoding;
        if (encoding && *encoding != "utf-8" && *encoding != "UTF-8" && *encoding != "gb18030" &&
            *encoding != "GB18030") {
            return UsageError{"选项 --encoding 的值无效: \"" + *encoding +
                              "\" (应为 utf-8 或 gb18030)"};
        }
        return std::nullopt;
    }

    // The first of these options given refuses the others given with it.
    static std::optional<UsageError> Refuse(const CLI::Option* mode,
                                            const std::vector<const CLI::Option*>& others) {
        for (const auto* other : others) {
            if (other->count() > 0) {
                return UsageError{"选项 " + mode->get_name() + " 与 " + other->get_name() +
                                  " 不能同时使用"};
            }
        }
        return std::nullopt;
    }

    // Which options go together: the first one given of each mode decides.
    std::optional<UsageError> ChooseMode() {
        const auto given = [](const CLI::Option* option) { return option->count() > 0; };
        std::vector<const CLI::Option*> calculation = {
            material_.option, temperature_.option, length_.option, install_.option, rate_, final_,
            explain_};
        const auto pipe = Pipe();
        if (given(table_.option)) {
            line_.mode = CommandLine::Mode::Table;
            calculation.insert(calculation.end(),
                               {csv_.option, encoding_.option, units_.option, plot_.option});
            calculation.insert(calculation.end(), pipe.begin(), pipe.end());
            return Refuse(table_.option, calculation);
        }
        if (given(csv_.option)) {
            line_.mode = CommandLine::Mode::Batch;
            calculation.insert(calculation.end(), {plot_.option, json_});
            calculation.insert(calculation.end(), pipe.begin(), pipe.end());
            return Refuse(csv_.option, calculation);
        }
        if (given(encoding_.option)) return UsageError{"选项 --encoding 需要与 --csv 一起使用"};
        if (given(plot_.option)) {
            line_.mode = CommandLine::Mode::Plot;
            auto others = pipe;
            others.insert(others.end(), {cold_.option, rate_, final_, explain_, json_});
            if (auto refused = Refuse(plot_.option, others)) return refused;
            if (!line_.material) return UsageError{"选项 --plot 需要 --material"};
            return std::nullopt;
        }
        line_.mode = CommandLine::Mode::OneCalculation;
        if (!line_.material || !line_.temperature || !line_.length) {
            return UsageError{"需要 --material, --temperature 和 --length (或 --table, --csv)"};
        }
        return std::nullopt;
    }

    CLI::App app_;
    CommandLine line_;
    bool help_ = false;
    bool version_ = false;
    ValueOption material_, temperature_, cold_, length_, install_, units_, plot_, csv_, encoding_,
        table_, materials_, od_, wall_, modulus_, sa_, sc_, sh_, cycles_;
    CLI::Option* rate_ = nullptr;
    CLI::Option* final_ = nullptr;
    CLI::Option* explain_ = nullptr;
    CLI::Option* json_ = nullptr;
};

}  // namespace

std::variant<CommandLine, UsageError> ParseCommandLine(int argc, char** argv) {
    return Parser().Parse(argc, argv);
}

}  // namespace velmarith::tool
