#pragma once

#include <array>
#include <string_view>

#include "texts/Version.h"

// Every text the window shows. The prompts and messages use ASCII punctuation on purpose.
namespace velmarith::texts {

inline constexpr std::string_view TemperaturePrompt = "请输入温度:(摄氏度)";
inline constexpr std::string_view TemperatureRePrompt = "请重新输入温度:(摄氏度)";
inline constexpr std::string_view LookupRePrompt = "请重新输入温度:";
inline constexpr std::string_view LengthPrompt = "请输入长度:(mm)";

inline constexpr std::string_view TemperatureOutOfRange = "温度超过范围,请重试!";
inline constexpr std::string_view InvalidInput = "输入无效,请重试!";
inline constexpr std::string_view NoMaterialSelected = "请选择材料!";
inline constexpr std::string_view ResultOutOfRange = "计算结果超出范围!";

// Coefficient line: CoefficientLead + T + CoefficientMiddle + value, then CoefficientUnit.
inline constexpr std::string_view CoefficientLead = "  ";
inline constexpr std::string_view CoefficientMiddle = "摄氏度时材料的膨胀系数为:  ";
inline constexpr std::string_view CoefficientUnit = "mm/mm.C";
// Result line: ExpansionLead + value + ExpansionUnit.
inline constexpr std::string_view ExpansionLead = "  材料的膨胀量为: ";
inline constexpr std::string_view ExpansionUnit = "mm";

inline constexpr std::array<std::string_view, 13> LabelMessage = {
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "       飞雪连天射白鹿",
    "",
    "       笑书神侠倚碧鸳",
    "",
    "                   ——石砚客",
};

// The window's controls.
inline constexpr std::string_view WindowName = "膨胀量计算";
inline constexpr std::string_view FrameCaption = "基本I/O";
inline constexpr std::string_view ListStartText = "钢材";
inline constexpr std::string_view TemperatureCaption = "温度";
inline constexpr std::string_view LengthCaption = "长度";
inline constexpr std::string_view OutputCaption = "输出";
inline constexpr std::string_view ClearCaption = "清空";
// 15 half-width and 3 full-width characters: 126 x 12 px in the window's font.
inline constexpr std::string_view LabelCaption = "Velmarith " VELMARITH_FILE_VERSION " 计算器";

// The product as the version resource names it, and its file version.
inline constexpr std::string_view ProductName = VELMARITH_PRODUCT_NAME;
inline constexpr std::string_view FileVersion = VELMARITH_FILE_VERSION;

}  // namespace velmarith::texts
