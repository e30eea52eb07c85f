#include "app/calc/CommandLine.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <string_view>
#include <vector>

#include "texts/Texts.h"

namespace velmarith::tool {
namespace {

constexpr const char* kOneCalculation = "一次计算";
constexpr const char* kPipe = "管道与补偿 (导向悬臂法估算)";
constexpr const char* kLine = "管线布置与伸缩节 (需外径; 弯臂与补偿器另需 SA, 伸缩节另需壁厚)";
constexpr const char* kOutput = "输出";
constexpr const char* kBatch = "批量计算";
constexpr const char* kProject = "项目";
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

// Our options take every value as text and a missing value is found before the parser
// runs, so what the parser refuses is a flag given a value, or something we do not name.
UsageError ParseFailure(const std::vector<const CLI::Option*>& all,
                        const std::vector<std::string>& arguments) {
    for (const auto& argument : arguments) {
        const CLI::Option* option = Named(all, OptionName(argument));
        if (option == nullptr) continue;
        const bool isFlag = option->get_expected_max() == 0;
        if (isFlag && argument.find('=') != std::string::npos) {
            return UsageError{"选项 " + option->get_name() + " 不带值"};
        }
    }
    return UsageError{"命令行有误"};
}

}  // namespace

std::string VersionLine() {
    return "velmarith-calc (" + std::string(texts::ProductName) + ") " +
           std::string(texts::FileVersion);
}

namespace {

// Whether an argument is an option rather than a value: "-x", "--xyz", but not a negative
// number ("-20", "-.5", "−20" is no option either).
bool LooksLikeOption(std::string_view argument) {
    if (argument.size() < 2 || argument[0] != '-') return false;
    const char next = argument[1];
    return !(next >= '0' && next <= '9') && next != '.';
}

// The options, declared once, and what they were given. The request's inputs come from the
// table of inputs; the rest are the tool's own.
class Parser {
  public:
    Parser() : app_{"金属热膨胀量计算 (与 Velmarith 窗口的计算相同)", "velmarith-calc"} {
        UseChineseLabels(app_);
        app_.set_help_flag();
        DeclareInputs(engineering::InputGroup::Calculation, kOneCalculation);
        DeclareInputs(engineering::InputGroup::Pipe, kPipe);
        DeclareInputs(engineering::InputGroup::Line, kLine);
        DeclareOutput();
        DeclareOthers();
    }

    std::variant<CommandLine, UsageError> Parse(int argc, char** argv) {
        const std::vector<std::string> arguments(argv + 1, argv + argc);
        if (auto missing = MissingValue(arguments)) return *missing;
        try {
            app_.parse(argc, argv);
        } catch (const CLI::ExtrasError&) {
            std::string extras;
            for (const auto& extra : app_.remaining()) {
                extras += (extras.empty() ? "" : " ") + extra;
            }
            return UsageError{"无法识别的参数: " + extras};
        } catch (const CLI::ParseError&) {
            return ParseFailure(All(), arguments);
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
    CLI::Option* Value(ValueOption& into, const std::string& names, std::string_view type,
                       std::string_view text, const char* group) {
        // CLI11 pads by bytes, so a Chinese placeholder would misalign the columns.
        into.option =
            app_.add_option(names, into.values, std::string(type) + ": " + std::string(text))
                ->group(group)
                ->type_name("");
        into.option->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
        return into.option;
    }

    void DeclareInputs(engineering::InputGroup group, const char* heading) {
        for (const auto& row : engineering::Inputs()) {
            if (row.group != group) continue;
            std::string names(row.shortOption);
            if (!names.empty()) names += ',';
            names += row.option;
            Value(inputs_[Index(row.field)], names, row.label, row.help, heading);
        }
    }

    void DeclareOutput() {
        rate_ = app_.add_flag("--rate", line_.rate, "另给出每米膨胀量 (mm/m; 美制 in/100ft)")
                    ->group(kOutput);
        final_ = app_.add_flag("--final", line_.finalLength, "另给出膨胀后长度")->group(kOutput);
        explain_ = app_.add_flag("--explain", line_.explain, "列出插值所用的网格点与计算过程")
                       ->group(kOutput);
        json_ = app_.add_flag("--json", line_.json,
                              "一次计算, --table 或 --project 以一个 JSON 文档输出 (UTF-8)")
                    ->group(kOutput);
        Value(plot_, "--plot", "文件", "把该材料的 α(T) (有 --length 时另加 ΔL(T)) 画成 SVG 文件",
              kOutput);
    }

    void DeclareOthers() {
        Value(csv_, "--csv", "文件",
              "每行一次计算的 CSV 文件 (- 为标准输入), 结果写到标准输出; 同时给出的计算选项是各行"
              "的默认值",
              kBatch);
        Value(encoding_, "--encoding", "编码", "utf-8 或 gb18030 (默认自动识别)", kBatch);
        toProject_ = app_.add_flag("--to-project", line_.toProject,
                                   "与 --csv 同用: 不计算, 把各行写成项目文件 (JSON) 到标准输出, "
                                   "一行一段, 管线号取自 line 列 (没有则按行编号), 并带上 "
                                   "--materials 的材料")
                         ->group(kBatch);
        Value(project_, "--project", "文件",
              "项目文件 (JSON, 见手册): 逐段按管线号输出, 每段与一次计算相同; 有段被拒时"
              "退出状态为 1",
              kProject);
        csvOut_ = app_.add_flag("--csv-out", line_.csvOut,
                                "与 --project 同用: 输出各段的汇总表 (CSV, UTF-8 带 BOM)")
                      ->group(kProject);
        Value(table_, "--table", "[材料]", "列出膨胀系数表, 或只列一种材料", kTable)
            ->expected(0, 1);
        Value(materials_, "--materials", "文件", "自定义材料的 CSV 文件, 每行一个表点 (见手册)",
              kTable);
        app_.add_flag("-h,--help", help_, "显示帮助并退出")->group(kOther);
        app_.add_flag("--version", version_, "显示版本并退出")->group(kOther);
    }

    static std::size_t Index(engineering::RequestField field) {
        return static_cast<std::size_t>(field);
    }

    std::vector<ValueOption*> ValueOptions() {
        std::vector<ValueOption*> all;
        for (auto& input : inputs_) all.push_back(&input);
        for (auto* option : {&plot_, &csv_, &encoding_, &table_, &materials_, &project_}) {
            all.push_back(option);
        }
        return all;
    }

    // Every option of ours, for naming the one the parser refused.
    std::vector<const CLI::Option*> All() {
        std::vector<const CLI::Option*> all = {rate_, final_, explain_, json_, toProject_, csvOut_};
        for (const auto* option : ValueOptions()) all.push_back(option->option);
        return all;
    }

    // An option that needs a value, given last or before another option ("-t -l 30000",
    // "-l --json"). Its value may be a negative number ("--cold -20").
    std::optional<UsageError> MissingValue(const std::vector<std::string>& arguments) {
        const auto all = All();
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& argument = arguments[i];
            if (argument == "--") break;
            if (argument.find('=') != std::string::npos) continue;
            const CLI::Option* option = Named(all, argument);
            if (option == nullptr || option->get_expected_min() == 0) continue;
            if (i + 1 == arguments.size() || LooksLikeOption(arguments[i + 1])) {
                return UsageError{"选项 " + option->get_name() + " 缺少值"};
            }
            ++i;  // the value, whatever it reads like
        }
        return std::nullopt;
    }

    static std::optional<std::string> Take(const ValueOption& option) {
        if (option.values.empty()) return std::nullopt;
        return option.values.front();
    }

    // One value each, and the values that are words checked.
    std::optional<UsageError> TakeValues() {
        for (const auto* option : ValueOptions()) {
            if (option->values.size() > 1) {
                return UsageError{"选项 " + option->option->get_name() + " 只能给一次"};
            }
        }
        for (const auto& row : engineering::Inputs()) {
            line_.request[row.field] = Take(inputs_[Index(row.field)]);
        }
        line_.plot = Take(plot_);
        line_.materials = Take(materials_);
        line_.csv = Take(csv_);
        line_.encoding = Take(encoding_);
        line_.project = Take(project_);
        if (table_.option->count() > 0) line_.tableMaterial = Take(table_).value_or("");

        using engineering::RequestField;
        if (const auto& units = line_.request[RequestField::Units];
            units && !engineering::ParseUnits(*units)) {
            return UsageError{"选项 --units 的值无效: \"" + *units + "\" (应为 si 或 us)"};
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

    // An input the mode has no use for is named, not dropped.
    std::optional<UsageError> RefuseInputs(const CLI::Option* mode,
                                           std::initializer_list<engineering::RequestField> used) {
        for (const auto& row : engineering::Inputs()) {
            const bool isUsed = std::find(used.begin(), used.end(), row.field) != used.end();
            if (!isUsed && inputs_[Index(row.field)].option->count() > 0) {
                return UsageError{std::string(row.option) + " 不能与 " + mode->get_name() +
                                  " 同用"};
            }
        }
        return std::nullopt;
    }

    // Which options go together: the first one given of each mode decides.
    std::optional<UsageError> ChooseMode() {
        using F = engineering::RequestField;
        const auto given = [](const CLI::Option* option) { return option->count() > 0; };
        if (given(table_.option)) {
            line_.mode = CommandLine::Mode::Table;
            if (auto refused = Refuse(table_.option,
                                      {csv_.option, encoding_.option, plot_.option, rate_, final_,
                                       explain_, project_.option, csvOut_, toProject_})) {
                return refused;
            }
            return RefuseInputs(table_.option, {});
        }
        if (given(project_.option)) {
            line_.mode = CommandLine::Mode::Project;
            // Each segment has its inputs, and the file its materials.
            if (auto refused = Refuse(project_.option, {csv_.option, encoding_.option, plot_.option,
                                                        materials_.option, toProject_})) {
                return refused;
            }
            if (json_->count() > 0 && csvOut_->count() > 0) {
                return UsageError{"选项 --csv-out 与 --json 不能同时使用"};
            }
            return RefuseInputs(project_.option, {});
        }
        if (given(csv_.option)) {
            line_.mode = line_.toProject ? CommandLine::Mode::ToProject : CommandLine::Mode::Batch;
            // Every input may be given: it is each row's default.
            return Refuse(csv_.option, {rate_, final_, explain_, plot_.option, json_, csvOut_});
        }
        if (given(encoding_.option)) return UsageError{"选项 --encoding 需要与 --csv 一起使用"};
        if (given(toProject_)) return UsageError{"选项 --to-project 需要与 --csv 一起使用"};
        if (given(csvOut_)) return UsageError{"选项 --csv-out 需要与 --project 一起使用"};
        if (given(plot_.option)) {
            line_.mode = CommandLine::Mode::Plot;
            if (auto refused = Refuse(plot_.option, {rate_, final_, explain_, json_})) {
                return refused;
            }
            if (auto refused = RefuseInputs(
                    plot_.option, {F::Material, F::Temperature, F::Length, F::Install, F::Units})) {
                return refused;
            }
            if (!line_.request.Has(F::Material)) return UsageError{"选项 --plot 需要 --material"};
            return std::nullopt;
        }
        line_.mode = CommandLine::Mode::OneCalculation;
        std::string missing;
        bool anyRequired = false;
        for (const auto& row : engineering::Inputs()) {
            if (!row.required) continue;
            if (line_.request.Has(row.field)) {
                anyRequired = true;
            } else {
                missing += (missing.empty() ? "" : ", ") + std::string(row.option);
            }
        }
        if (!anyRequired) {
            return UsageError{"需要 --material, --temperature 和 --length (或 --table, --csv)"};
        }
        if (!missing.empty()) return UsageError{"缺少 " + missing};
        return std::nullopt;
    }

    CLI::App app_;
    CommandLine line_;
    bool help_ = false;
    bool version_ = false;
    std::array<ValueOption, engineering::kInputCount> inputs_;
    ValueOption plot_, csv_, encoding_, table_, materials_, project_;
    CLI::Option* rate_ = nullptr;
    CLI::Option* final_ = nullptr;
    CLI::Option* explain_ = nullptr;
    CLI::Option* json_ = nullptr;
    CLI::Option* toProject_ = nullptr;
    CLI::Option* csvOut_ = nullptr;
};

}  // namespace

std::variant<CommandLine, UsageError> ParseCommandLine(int argc, char** argv) {
    return Parser().Parse(argc, argv);
}

}  // namespace velmarith::tool
