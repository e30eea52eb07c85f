#include "engineering/Inputs.h"

#include <algorithm>
#include <vector>

#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

using F = RequestField;
constexpr auto kCalc = InputGroup::Calculation;
constexpr auto kPipe = InputGroup::Pipe;
constexpr auto kLine = InputGroup::Line;

// Spans of ordinary values, in mm and MPa: pipe from a few mm to 5 m across, walls of half a
// millimetre to 20 cm, moduli of aluminium to steel's and more, and allowable stresses.
constexpr Span kNone{};
constexpr Span kDiameter{3, 5000};
constexpr Span kWall{0.5, 200};
constexpr Span kModulus{40'000, 260'000};
constexpr Span kStress{10, 1500};
constexpr Span kLayoutLength{100, 100'000};  // a leg or a loop's side: 0.1 m to 100 m
constexpr Span kJointMovement{1, 1000};
constexpr Span kJointStiffness{5, 200'000};  // N/mm
constexpr Span kJointArea{1, 100'000};       // cm²: DN15 to DN3000 and more
constexpr Span kPressure{0.001, 50};         // MPa
constexpr Span kFriction{0, 1};
constexpr Span kWeight{10, 200'000};  // N/m

// clang-format off
constexpr std::array<InputRow, kInputCount> kInputs = {{
    {F::Material, "material", "m", "-m", "--material", "材料", "", "",
     "序号 0-7, 材料名称或自定义材料名", kCalc, Quantity::Material, true, kNone, 0, "", ""},
    {F::Temperature, "temperature", "t", "-t", "--temperature", "温度", "T", "最热状态",
     "最热状态, 整摄氏度数 (美制: 华氏度)", kCalc, Quantity::Temperature, true, kNone, 1, "", ""},
    {F::Cold, "cold", "c", "", "--cold", "冷态温度", "Tc", "",
     "最冷状态; 另给出安装至冷态的量与冷态至热态的位移", kCalc, Quantity::Temperature, false,
     kNone, 2, "", "可不填"},
    {F::Length, "length", "l", "-l", "--length", "长度", "L", "", "mm (美制: in)", kCalc,
     Quantity::Length, true, kNone, 3, "", ""},
    {F::Install, "install", "i", "-i", "--install", "安装温度", "Ti", "", "默认 20 摄氏度 (68°F)",
     kCalc, Quantity::Temperature, false, kNone, 4, "", ""},
    {F::Units, "units", "u", "", "--units", "单位", "", "",
     "si (摄氏度, mm; 默认) 或 us (°F, in, in/100ft)", kCalc, Quantity::Units, false, kNone,
     5, "", ""},
    {F::Diameter, "od", "d", "", "--od", "外径", "D", "",
     "D (mm; 美制 in): 另给出两端固定的应力与推力, 补偿", kPipe, Quantity::Length,
     false, kDiameter, 6, "", ""},
    {F::Wall, "wall", "w", "", "--wall", "壁厚", "t", "",
     "t (mm; 美制 in): 另给出截面积与固定点推力", kPipe, Quantity::Length, false, kWall, 7,
     "", "可不填"},
    {F::Modulus, "modulus", "e", "", "--modulus", "弹性模量", "Ea", "",
     "Ea (MPa; 美制 psi), 默认按材料 (B31.3 表 C-6)", kPipe, Quantity::Modulus, false,
     kModulus, 12, "", "不填按材料"},
    {F::Allowable, "sa", "sa", "", "--sa", "许用位移应力范围", "SA", "",
     "SA (MPa; 美制 psi): 另给出弯臂与 Π 形补偿器", kPipe, Quantity::Stress, false,
     kStress, 11, "或", ""},
    {F::ColdAllowable, "sc", "sc", "", "--sc", "冷态许用应力", "Sc", "",
     "Sc, 与 --sh 一起代替 --sa", kPipe, Quantity::Stress, false, kStress, 8, "", ""},
    {F::HotAllowable, "sh", "sh", "", "--sh", "热态许用应力", "Sh", "", "Sh", kPipe,
     Quantity::Stress, false, kStress, 9, "", ""},
    {F::Cycles, "cycles", "n", "", "--cycles", "循环次数", "N", "", "N, 等效满循环次数, 默认 7000",
     kPipe, Quantity::Count, false, kNone, 10, "", ""},
    {F::GivenLeg, "given_leg", "gl", "", "--leg", "给定臂长", "Lg", "",
     "布置给出的 L 形弯臂长 (mm; 美制 in): 校核应力与固定点推力, 需 SA", kLine,
     Quantity::Length, false, kLayoutLength, 13, "", "可不填"},
    {F::GivenLoopWidth, "given_loop_width", "gw", "", "--loop-width", "给定补偿器宽", "W", "",
     "布置给出的 Π 形补偿器宽 (mm; 美制 in), 与 --loop-height 一起", kLine, Quantity::Length,
     false, kLayoutLength, 14, "", "可不填"},
    {F::GivenLoopHeight, "given_loop_height", "gh", "", "--loop-height", "给定补偿器高", "H", "",
     "布置给出的 Π 形补偿器每臂高 (mm; 美制 in)", kLine, Quantity::Length, false, kLayoutLength, 15, "",
     "可不填"},
    {F::JointMovement, "joint_movement", "jm", "", "--joint-movement", "伸缩节额定位移", "e", "",
     "两主固定点间轴向波纹管伸缩节每个的额定轴向位移 (mm; 美制 in)", kLine, Quantity::Length,
     false, kJointMovement, 16, "", "可不填"},
    {F::JointStiffness, "joint_stiffness", "jk", "", "--joint-stiffness", "伸缩节刚度", "K", "",
     "伸缩节轴向刚度 (N/mm; 美制 lbf/in)", kLine, Quantity::Stiffness, false, kJointStiffness, 17, "",
     "可不填"},
    {F::JointArea, "joint_area", "ja", "", "--joint-area", "伸缩节有效面积", "Aeff", "",
     "伸缩节有效面积 (cm²; 美制 in²), 与 --pressure 一起给出压力推力", kLine, Quantity::Area,
     false, kJointArea, 18, "", "可不填"},
    {F::Pressure, "pressure", "p", "", "--pressure", "压力", "P", "",
     "设计或试验压力, 表压 (MPa; 美制 psi)", kLine, Quantity::Pressure, false, kPressure, 19, "",
     "可不填"},
    {F::Friction, "friction", "mu", "", "--friction", "摩擦系数", "μ", "",
     "管托与支承面的摩擦系数, 默认 0.3", kLine, Quantity::Ratio, false, kFriction, 20, "", ""},
    {F::Weight, "weight", "q", "", "--weight", "单位长度重量", "q", "",
     "管道, 介质与保温每单位长度的重量 (N/m; 美制 lbf/ft)", kLine,
     Quantity::WeightPerLength, false, kWeight, 21, "", "可不填"},
    {F::Compensation, "compensation", "cp", "", "--compensation", "补偿方式", "", "",
     "leg (L 形弯臂), loop (Π 形补偿器) 或 bellows (伸缩节); 默认有伸缩节时为 bellows, 给定补偿器时为 loop, 否则 leg",
     kLine, Quantity::Choice, false, kNone, 22, "", "可不填"},
}};
// clang-format on

constexpr bool InFieldOrder() {
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        if (static_cast<std::size_t>(kInputs[i].field) != i) return false;
    }
    return true;
}
static_assert(InFieldOrder(), "the table's rows are in RequestField order");

constexpr bool FormPlacesDistinct() {
    std::array<bool, kInputCount> taken{};
    for (const auto& row : kInputs) {
        const auto place = static_cast<std::size_t>(row.formPlace);
        if (row.formPlace < 0 || place >= taken.size() || taken[place]) return false;
        taken[place] = true;
    }
    return true;
}
static_assert(FormPlacesDistinct(), "each input has a place of its own in the form");

// ASCII letters compared without case.
bool SameWord(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// A unit a value may have been typed in by mistake, and what one of it is in SI units.
struct Slip {
    std::string_view unit;
    double si;
};

// The likely slips, most likely first: psi typed as MPa, GPa as MPa, m as mm, and back.
std::vector<Slip> SlipsOf(Quantity quantity, Units units) {
    const bool si = units == Units::Si;
    switch (quantity) {
        case Quantity::Length:
            if (si) return {{"m", 1000}, {"in", kMillimetresPerInch}, {"cm", 10}};
            return {{"mm", 1}, {"ft", 12 * kMillimetresPerInch}};
        case Quantity::Stress:
            if (si) return {{"psi", kMpaPerPsi}, {"GPa", 1000}, {"kPa", 0.001}};
            return {{"MPa", 1}, {"ksi", 1000 * kMpaPerPsi}};
        case Quantity::Modulus:
            if (si) return {{"GPa", 1000}, {"psi", kMpaPerPsi}, {"10^6 psi", 1e6 * kMpaPerPsi}};
            return {{"MPa", 1}, {"GPa", 1000}, {"10^6 psi", 1e6 * kMpaPerPsi}};
        case Quantity::Pressure:
            if (si) return {{"kPa", 0.001}, {"psi", kMpaPerPsi}};
            return {{"MPa", 1}};
        case Quantity::Area:
            if (si) return {{"m²", 1e4}, {"mm²", 0.01}};
            return {{"ft²", 144 * kSquareCentimetresPerSquareInch}};
        case Quantity::Stiffness:
            if (si) return {{"kN/mm", 1000}, {"N/m", 0.001}};
            return {};
        case Quantity::WeightPerLength:
            if (si) return {{"kN/m", 1000}};
            return {};
        default:
            return {};
    }
}

}  // namespace

double SiPerUnit(Quantity quantity, Units units) {
    if (units == Units::Si) return 1;
    constexpr double kNewtonsPerPound = 4.4482216152605;
    switch (quantity) {
        case Quantity::Length:
            return kMillimetresPerInch;
        case Quantity::Stress:
        case Quantity::Modulus:
        case Quantity::Pressure:
            return kMpaPerPsi;
        case Quantity::Area:
            return kSquareCentimetresPerSquareInch;
        case Quantity::Stiffness:
            return kNewtonsPerPound / kMillimetresPerInch;  // N/mm per lbf/in
        case Quantity::WeightPerLength:
            return kNewtonsPerPound / (12 * kMillimetresPerInch / 1000);  // N/m per lbf/ft
        case Quantity::Material:
        case Quantity::Temperature:  // not a factor: see the conversions in Units.h
        case Quantity::Count:
        case Quantity::Units:
        case Quantity::Ratio:
        case Quantity::Choice:
            break;
    }
    return 1;
}

std::optional<InputWarning> PlausibilityWarning(const InputRow& row, double value, Units units) {
    if (!row.plausible.Any()) return std::nullopt;
    const auto within = [&](double si) {
        return si >= row.plausible.low && si <= row.plausible.high;
    };
    const double perUnit = SiPerUnit(row.quantity, units);
    if (within(value * perUnit)) return std::nullopt;
    // "Lg = 6 mm", "μ = 30": a unit only where the input has one.
    const std::string_view unit = UnitName(row.quantity, units);
    const auto withUnit = [&](const std::string& figure) {
        return unit.empty() ? figure : figure + " " + std::string(unit);
    };
    const std::string given =
        std::string(row.symbol) + " = " + withUnit(DoubleToText(value)) + ": ";
    for (const auto& slip : SlipsOf(row.quantity, units)) {
        if (within(value * slip.si)) {
            return InputWarning{row.field, given + "是否按 " + std::string(slip.unit) + " 输入?"};
        }
    }
    return InputWarning{row.field, given + "超出常见范围 " +
                                       DoubleToShortText(row.plausible.low / perUnit) + " ~ " +
                                       withUnit(DoubleToShortText(row.plausible.high / perUnit))};
}

std::span<const InputRow> Inputs() { return kInputs; }

const InputRow& Row(RequestField field) { return kInputs[static_cast<std::size_t>(field)]; }

std::string_view UnitName(Quantity quantity, Units units) {
    const bool si = units == Units::Si;
    switch (quantity) {
        case Quantity::Temperature:
            return si ? "摄氏度" : "°F";
        case Quantity::Length:
            return LengthUnit(units);
        case Quantity::Stress:
        case Quantity::Modulus:
        case Quantity::Pressure:
            return si ? "MPa" : "psi";
        case Quantity::Area:
            return si ? "cm²" : "in²";
        case Quantity::Stiffness:
            return si ? "N/mm" : "lbf/in";
        case Quantity::WeightPerLength:
            return si ? "N/m" : "lbf/ft";
        case Quantity::Material:
        case Quantity::Count:
        case Quantity::Units:
        case Quantity::Ratio:
        case Quantity::Choice:
            break;
    }
    return {};
}

std::string ColumnName(const InputRow& row, Units units) {
    std::string_view unit = UnitName(row.quantity, units);
    if (units == Units::Si || unit.empty()) return std::string(row.key);
    // The US unit as a column's name can carry it: temperature_F, od_in, sc_psi.
    if (unit.starts_with("°")) unit.remove_prefix(std::string_view("°").size());
    // ASCII in a column's name: joint_area_in2, joint_stiffness_lbf_per_in.
    std::string name = std::string(row.key) + "_";
    for (std::size_t i = 0; i < unit.size(); ++i) {
        if (unit[i] == '/') {
            name += "_per_";
        } else if (unit.substr(i).starts_with("²")) {
            name += '2';
            i += std::string_view("²").size() - 1;
        } else {
            name += unit[i];
        }
    }
    return name;
}

const InputRow* FindInput(std::string_view name) {
    for (const auto& row : kInputs) {
        const bool symbolForm = !row.symbol.empty() &&
                                name.size() == row.label.size() + 1 + row.symbol.size() &&
                                name.starts_with(row.label) && name.ends_with(row.symbol) &&
                                name[row.label.size()] == ' ';
        if (name == row.key || name == row.option || name == row.label || symbolForm ||
            name == ColumnName(row, Units::Us)) {
            return &row;
        }
    }
    return nullptr;
}

std::string_view DefaultText(RequestField field, Units units) {
    const bool si = units == Units::Si;
    switch (field) {
        case F::Install:
            return si ? "20" : "68";
        case F::Units:
            return "si";
        case F::Cycles:
            return "7000";
        case F::Friction:
            return "0.3";
        default:
            return {};
    }
}

std::optional<Units> ParseUnits(std::string_view text) {
    if (SameWord(text, "si")) return Units::Si;
    if (SameWord(text, "us")) return Units::Us;
    return std::nullopt;
}

std::string_view UnitsKey(Units units) { return units == Units::Si ? "si" : "us"; }

namespace {
constexpr std::array<std::string_view, 3> kLayouts = {"leg", "loop", "bellows"};
}  // namespace

std::optional<Layout> ParseLayout(std::string_view text) {
    for (std::size_t i = 0; i < kLayouts.size(); ++i) {
        if (SameWord(text, kLayouts[i])) return static_cast<Layout>(i);
    }
    return std::nullopt;
}

std::string_view LayoutKey(Layout layout) { return kLayouts[static_cast<std::size_t>(layout)]; }

bool RequestText::AnyPipe() const {
    return std::any_of(kInputs.begin(), kInputs.end(),
                       [&](const InputRow& row) { return row.group == kPipe && Has(row.field); });
}

bool RequestText::AnyLine() const {
    return std::any_of(kInputs.begin(), kInputs.end(),
                       [&](const InputRow& row) { return row.group == kLine && Has(row.field); });
}

Units RequestText::UnitSystem() const { return ParseUnits(Text(F::Units)).value_or(Units::Si); }

void RequestText::SetUnits(Units units) { (*this)[F::Units] = std::string(UnitsKey(units)); }

}  // namespace velmarith::engineering
