#include "app/calc/UsageText.h"

namespace velmarith::tool {
namespace {

// The parts of CLI11's English messages that name options and arguments.
std::string After(const std::string& text, const std::string& prefix) {
    const auto at = text.find(prefix);
    return at == std::string::npos ? std::string() : text.substr(at + prefix.size());
}

std::string Before(const std::string& text, const std::string& separator) {
    const auto at = text.find(separator);
    return at == std::string::npos ? text : text.substr(0, at);
}

}  // namespace

void UseChineseHelp(CLI::App& app) {
    auto formatter = app.get_formatter();
    const std::pair<const char*, const char*> labels[] = {
        {"Usage", "用法"},    {"OPTIONS", "选项"},
        {"REQUIRED", "必需"}, {"Excludes", "不可同时使用"},
        {"Needs", "需要"},    {"Positionals", "位置参数"},
        {"TEXT", "文本"},     {"Env", "环境变量"},
    };
    for (const auto& [key, value] : labels) formatter->label(key, value);
    app.option_defaults()->group("选项");
}

std::string ChineseUsageError(const CLI::ParseError& error) {
    const std::string text = error.what();
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr) {
        return "无法识别的参数: " + After(text, ": ");
    }
    if (dynamic_cast<const CLI::ExcludesError*>(&error) != nullptr) {
        return "选项 " + Before(text, " excludes ") + " 与 " + After(text, " excludes ") +
               " 不能同时使用";
    }
    if (dynamic_cast<const CLI::RequiresError*>(&error) != nullptr) {
        return "选项 " + Before(text, " requires ") + " 需要与 " + After(text, " requires ") +
               " 一起使用";
    }
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) != nullptr) {
        const std::string option = Before(text, ":");
        if (text.find("At Most") != std::string::npos) return "选项 " + option + " 只能给一次";
        if (text.find("missing") != std::string::npos) return "选项 " + option + " 缺少值";
        return "选项的值的个数不对: " + option;
    }
    if (dynamic_cast<const CLI::ConversionError*>(&error) != nullptr ||
        dynamic_cast<const CLI::ValidationError*>(&error) != nullptr) {
        std::string option = After(text, " for ");
        if (option.empty()) option = Before(After(text, "Could not convert: "), " =");
        if (option.empty()) option = Before(text, ":");
        return "选项 " + option + " 的值无效";
    }
    if (dynamic_cast<const CLI::RequiredError*>(&error) != nullptr) {
        return "缺少必需的选项: " + Before(text, " is required");
    }
    return "命令行有误";
}

}  // namespace velmarith::tool
