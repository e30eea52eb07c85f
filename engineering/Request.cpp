#include "engineering/Request.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <utility>

#include "engineering/Compensation.h"
#include "runtime/DecimalText.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

std::string_view TrimSpaces(std::string_view text) {
    constexpr std::string_view kSpaces[] = {" ", "\u3000"};  // and the ideographic space
    bool trimmed = true;
    while (trimmed) {
        trimmed = false;
        for (const auto space : kSpaces) {
            if (text.starts_with(space)) {
                text.remove_prefix(space.size());
                trimmed = true;
            }
            if (text.ends_with(space)) {
                text.remove_suffix(space.size());
                trimmed = true;
            }
        }
    }
    return text;
}

std::string CelsiusText(double celsius) { return DoubleToShortText(celsius); }

// Typed text with a true minus sign (U+2212, as pasted from a document) read as "-". The
// text is only copied when it holds one.
class AsciiMinus {
  public:
    explicit AsciiMinus(std::string_view text) : text_(text) {
        constexpr std::string_view kMinusSign = "\u2212";
        if (text.find(kMinusSign) == std::string_view::npos) return;
        copy_ = text;
        for (auto at = copy_.find(kMinusSign); at != std::string::npos;
             at = copy_.find(kMinusSign)) {
            copy_.replace(at, kMinusSign.size(), "-");
        }
        text_ = copy_;
    }
    AsciiMinus(const AsciiMinus&) = delete;
    AsciiMinus& operator=(const AsciiMinus&) = delete;
    std::string_view View() const { return text_; }

  private:
    std::string copy_;
    std::string_view text_;
};

// A temperature in the request's units: whole degrees Celsius, or any degrees Fahrenheit
// above absolute zero.
std::optional<double> ParseTemperature(std::string_view typed, Units units) {
    const AsciiMinus ascii(typed);
    const std::string_view text = ascii.View();
    if (units == Units::Si) {
        const auto t = TextToInteger(text);
        return t ? std::optional<double>(*t) : std::nullopt;
    }
    const auto t = TextToDouble(text);
    if (!t || *t < kAbsoluteZeroFahrenheit) return std::nullopt;
    return t;
}

}  // namespace

std::optional<int> ParseMaterial(std::string_view text) {
    // The common case, a position as one digit, without the general conversion.
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + kMaterialCount) return text[0] - '0';
    if (const auto position = TextToInteger(text); position && IsMaterialIndex(*position)) {
        return *position;
    }
    const std::string_view name = TrimSpaces(text);
    for (int k = 0; k < kMaterialCount; ++k) {
        if (MaterialListTexts[k] == name) return k;
    }
    return std::nullopt;
}

std::string RangeText(const Catalogue& catalogue, int material, Units units) {
    const double low = catalogue.Low(material);
    const double high = catalogue.High(material);
    std::string si = DoubleToText(low) + " ~ " + DoubleToText(high) + " 摄氏度";
    if (units == Units::Si) return si;
    return CelsiusText(CelsiusToFahrenheit(low)) + " ~ " + CelsiusText(CelsiusToFahrenheit(high)) +
           "°F (" + si + ")";
}

std::string TemperatureText(const Request& request, double temperature) {
    if (request.units == Units::Si) return IntegerToText(static_cast<std::int16_t>(temperature));
    return DoubleToText(temperature) + "°F (" + CelsiusText(request.Celsius(temperature)) +
           " 摄氏度)";
}

namespace {

// Checks one request field by field; a message is only written for a fault.
class RequestCheck {
  public:
    RequestCheck(const Catalogue& catalogue, const RequestText& text)
        : catalogue_(catalogue), text_(text), units_(text.UnitSystem()) {
        request_.units = units_;
        if (units_ == Units::Us) request_.install = CelsiusToFahrenheit(ReferenceTemperature);
    }

    std::variant<Request, std::vector<RequestFault>> Run() {
        if (text_.Has(RequestField::Units) && !ParseUnits(text_.Text(RequestField::Units))) {
            Fault(RequestField::Units,
                  "单位无效: " + QuotedInput(text_.Text(RequestField::Units)) + " (应为 si 或 us)");
        }
        const auto material = catalogue_.Resolve(text_.Text(RequestField::Material));
        if (!material) {
            Fault(RequestField::Material,
                  "未知材料: " + QuotedInput(text_.Text(RequestField::Material)) +
                      std::string(catalogue_.UserMaterials().empty() ? " (应为 0 至 7 或材料名称)"
                                                                     : kUnknownMaterialHint));
            Length();
            return std::move(faults_);
        }
        request_.material = material->id;
        request_.grade = material->grade;
        const bool warmRead = Temperature();
        Length();
        const bool installRead = Install();
        const bool coldRead = Cold();
        if (warmRead) WarmWithin();
        if (installRead) InstallWithin();
        if (coldRead) ColdWithin(warmRead);
        if (text_.AnyPipe()) PipeFields();
        if (text_.AnyLine()) LineFields();
        if (!faults_.empty()) return std::move(faults_);
        Understand();
        return std::move(request_);  // the check is done with it
    }

  private:
    bool Us() const { return units_ == Units::Us; }
    const std::string& Range() {
        if (range_.empty()) range_ = RangeText(catalogue_, request_.material, units_);
        return range_;
    }
    double Reference() const { return catalogue_.Reference(request_.material); }
    std::string Degrees() const { return Us() ? "" : " 摄氏度"; }
    std::string Shown(double temperature) const { return TemperatureText(request_, temperature); }
    void Fault(RequestField field, std::string message, std::string hint = {}) {
        faults_.push_back({field, std::move(message), std::move(hint)});
    }
    // What a temperature field should hold, for its message.
    std::string Expected() {
        return (Us() ? " (应为华氏度数, 该材料为 " : " (应为整摄氏度数, 该材料为 ") + Range() +
               ")" + (Us() ? ", 不得低于绝对零度 -459.67°F" : "");
    }

    bool Temperature() {
        const auto typed = text_.Text(RequestField::Temperature);
        const auto t = ParseTemperature(typed, units_);
        if (!t) {
            Fault(RequestField::Temperature, "温度无效: " + QuotedInput(typed) + Expected());
            return false;
        }
        request_.temperature = *t;
        return true;
    }

    void Length() {
        const std::string_view given = text_.Text(RequestField::Length);
        const AsciiMinus ascii(given);
        const std::string_view typed = ascii.View();
        const auto l = TextToSingle(typed);
        const std::string unit = Us() ? ", 单位 in)" : ")";
        if (!l) {
            const bool number = ScanDecimal(typed).has_value();  // a number, but too large
            Fault(RequestField::Length, "长度无效: " + QuotedInput(given) +
                                            (number ? " (数值过大" : " (应为数值") + unit);
            return;
        }
        request_.length = *l;
        request_.typedLength = TextToDouble(typed).value_or(static_cast<double>(*l));
        lengthRead_ = true;
        if (Us() && std::fabs(request_.LengthMm()) > std::numeric_limits<float>::max()) {
            Fault(RequestField::Length,
                  "长度超出范围: " + QuotedInput(given) + " in 换算为 mm 后超出单精度范围");
        }
    }

    bool Install() {
        const auto& install = text_[RequestField::Install];
        if (!install) return true;
        const auto t = ParseTemperature(*install, units_);
        if (!t) {
            Fault(RequestField::Install, "安装温度无效: " + QuotedInput(*install) + " (应为 " +
                                             CelsiusInUnits(Reference(), units_) + "或 " + Range() +
                                             "之内的" + (Us() ? "华氏度数)" : "整摄氏度数)"));
            return false;
        }
        request_.install = *t;
        return true;
    }

    bool Cold() {
        const auto& cold = text_[RequestField::Cold];
        if (!cold) return false;
        const auto t = ParseTemperature(*cold, units_);
        if (!t) {
            Fault(RequestField::Cold, "冷态温度无效: " + QuotedInput(*cold) + Expected());
            return false;
        }
        request_.cold = *t;
        return true;
    }

    bool Within(double temperature) const {
        return catalogue_.Within(request_.material, request_.Celsius(temperature));
    }
    // The reference temperature's term is zero: no coefficient is needed there.
    bool WithinOrReference(double temperature) const {
        return Within(temperature) || request_.Celsius(temperature) == Reference();
    }

    void WarmWithin() {
        if (Within(request_.temperature)) return;
        Fault(RequestField::Temperature, "温度超过范围: " + Shown(request_.temperature) +
                                             Degrees() + "不在 " + Range() + "之内");
    }

    void InstallWithin() {
        if (WithinOrReference(request_.install)) return;
        Fault(RequestField::Install, "安装温度超过范围: " + Shown(request_.install) + Degrees() +
                                         " (安装温度应为 " + CelsiusInUnits(Reference(), units_) +
                                         ", 或在该材料的 " + Range() + "之内)");
    }

    void ColdWithin(bool warmRead) {
        const double cold = *request_.cold;
        if (!WithinOrReference(cold)) {
            Fault(RequestField::Cold,
                  "冷态温度超过范围: " + Shown(cold) + Degrees() + "不在 " + Range() + "之内");
        } else if (warmRead && cold > request_.temperature) {
            Fault(RequestField::Cold,
                  "冷态温度 " + Shown(cold) + Degrees() + "高于温度 " +
                      Shown(request_.temperature) + Degrees(),
                  ": " + Option(RequestField::Temperature) + " 为最热状态, " +
                      Option(RequestField::Cold) + " 为最冷状态");
        }
    }

    // Each input's value as taken, for the faces that echo the request.
    void Understand() {
        using F = RequestField;
        const auto set = [&](F field, std::optional<double> value) {
            request_.understood[static_cast<std::size_t>(field)] = value;
        };
        set(F::Material, request_.material);
        set(F::Temperature, request_.temperature);
        set(F::Cold, request_.cold);
        set(F::Length, static_cast<double>(request_.length));
        set(F::Install, request_.install);
        set(F::Units, units_ == Units::Si ? 0 : 1);
        if (!request_.pipe) return;
        const Pipe& pipe = *request_.pipe;
        set(F::Diameter, pipe.diameter);
        set(F::Wall, pipe.wall);
        set(F::Modulus, pipe.modulus);
        set(F::Allowable, pipe.allowable);
        set(F::ColdAllowable, pipe.coldAllowable);
        set(F::HotAllowable, pipe.hotAllowable);
        set(F::Cycles, pipe.cycles);
        if (!request_.line) return;
        const Line& line = *request_.line;
        set(F::GivenLeg, line.leg);
        set(F::GivenLoopWidth, line.loopWidth);
        set(F::GivenLoopHeight, line.loopHeight);
        set(F::JointMovement, line.jointMovement);
        set(F::JointStiffness, line.jointStiffness);
        set(F::JointArea, line.jointArea);
        set(F::Pressure, line.pressure);
        if (line.Joint()) set(F::Friction, line.friction);
        set(F::Weight, line.weight);
        set(F::Compensation, static_cast<double>(line.compensation));
    }

    static std::string Option(RequestField field) { return std::string(Row(field).option); }
    std::string Unit(RequestField field) const {
        return std::string(UnitName(Row(field).quantity, units_));
    }

    // A positive finite number in a pipe field, or a fault naming the field. An unusual value
    // is taken, with a warning.
    std::optional<double> Positive(RequestField field, std::string_view name) {
        const auto& typed = text_[field];
        if (!typed) return std::nullopt;
        const AsciiMinus ascii(*typed);
        const auto value = TextToDouble(ascii.View());
        if (value && *value > 0) {
            if (auto warning = PlausibilityWarning(Row(field), *value, units_)) {
                request_.warnings.push_back(std::move(*warning));
            }
            return value;
        }
        Fault(field, std::string(name) + "无效: " + QuotedInput(*typed) + " (应为正数, 单位 " +
                         Unit(field) + ")");
        return std::nullopt;
    }

    // The pipe's fields, given only together with its outside diameter.
    void PipeFields() {
        using F = RequestField;
        const std::string length = Unit(F::Diameter);
        const std::size_t before = faults_.size();
        Pipe pipe;
        if (!text_.Has(F::Diameter)) {
            Fault(F::Diameter, "缺少管道外径 D: 壁厚, 弹性模量与许用应力都要与外径一同给出",
                  " (" + Option(F::Diameter) + ")");
        }
        const auto d = Positive(F::Diameter, "外径");
        const auto t = Positive(F::Wall, "壁厚");
        if (d && t && *t >= *d / 2) {
            Fault(F::Wall, "壁厚 t = " + DoubleToText(*t) + " " + length +
                               " 不小于外径的一半 (D/2 = " + DoubleToText(*d / 2) + " " + length +
                               ")");
        }
        const auto modulus = Positive(F::Modulus, "弹性模量");
        const auto fallback = DefaultModulus(request_.material, units_);
        if (!text_.Has(F::Modulus) && !fallback) {
            Fault(F::Modulus, "自定义材料没有默认的弹性模量 Ea, 请给出",
                  " (" + Option(F::Modulus) + ")");
        }
        pipe.allowable = Positive(F::Allowable, "许用位移应力范围");
        pipe.coldAllowable = Positive(F::ColdAllowable, "冷态许用应力");
        pipe.hotAllowable = Positive(F::HotAllowable, "热态许用应力");
        const bool sa = text_.Has(F::Allowable);
        const bool sc = text_.Has(F::ColdAllowable);
        const bool sh = text_.Has(F::HotAllowable);
        if (sa && (sc || sh)) {
            Fault(F::Allowable, "许用位移应力范围 SA 与 Sc, Sh 只能给出一种",
                  ": " + Option(F::Allowable) + " 与 " + Option(F::ColdAllowable) + "/" +
                      Option(F::HotAllowable) + " 不能同时使用");
        } else if (sc && !sh) {
            Fault(F::HotAllowable, "只给出了冷态许用应力 Sc, 还需要热态许用应力 Sh",
                  " (" + Option(F::HotAllowable) + ")");
        } else if (sh && !sc) {
            Fault(F::ColdAllowable, "只给出了热态许用应力 Sh, 还需要冷态许用应力 Sc",
                  " (" + Option(F::ColdAllowable) + ")");
        }
        if (const auto& cycles = text_[F::Cycles]) {
            const AsciiMinus ascii(*cycles);
            const auto n = TextToDouble(ascii.View());
            if (!n || *n < 1 || *n != std::floor(*n)) {
                Fault(F::Cycles,
                      "循环次数无效: " + QuotedInput(*cycles) + " (应为不小于 1 的整数)");
            } else {
                pipe.cycles = *n;
                // N only enters SA = f·(1.25·Sc + 0.25·Sh): say so when it cannot.
                if (!(sc && sh)) {
                    request_.warnings.push_back(
                        {F::Cycles, "循环次数 N = " + DoubleToText(*n) +
                                        " 未使用: 只在由 Sc 与 Sh 计算 SA 时用到"});
                }
            }
        }
        if (lengthRead_ && !request_.HasPositiveLength() && faults_.size() == before) {
            Fault(F::Length, std::string(kLengthNotPositive) + ": 补偿计算需要管道的长度");
        }
        if (faults_.size() != before || !d) return;
        pipe.diameter = *d;
        pipe.wall = t;
        pipe.modulusGiven = modulus.has_value();
        pipe.modulus = modulus ? *modulus : *fallback;
        request_.pipe = pipe;
    }

    // A fault for an input the line's inputs need and the request does not give.
    void Needs(RequestField missing, RequestField wanting, std::string_view why) {
        Fault(missing,
              std::string(Row(wanting).label) + "需要" + std::string(Row(missing).label) + " " +
                  std::string(Row(missing).symbol) + ": " + std::string(why),
              " (" + Option(missing) + ")");
    }

    // The line's inputs: a leg or loop the layout offers, checked against SA, and a bellows
    // joint, which needs the pipe's wall for its guides.
    void LineFields() {
        using F = RequestField;
        Line line;
        const std::size_t before = faults_.size();
        if (!text_.AnyPipe()) {
            const auto first = std::find_if(Inputs().begin(), Inputs().end(), [&](auto& row) {
                return row.group == InputGroup::Line && text_.Has(row.field);
            });
            Needs(F::Diameter, first->field, "弯臂, 补偿器与伸缩节都按管道外径计算");
        }
        line.leg = Positive(F::GivenLeg, "给定臂长");
        line.loopWidth = Positive(F::GivenLoopWidth, "给定补偿器宽");
        line.loopHeight = Positive(F::GivenLoopHeight, "给定补偿器高");
        line.jointMovement = Positive(F::JointMovement, "伸缩节额定位移");
        line.jointStiffness = Positive(F::JointStiffness, "伸缩节刚度");
        line.jointArea = Positive(F::JointArea, "伸缩节有效面积");
        line.pressure = Positive(F::Pressure, "压力");
        line.weight = Positive(F::Weight, "单位长度重量");
        if (const auto& typed = text_[F::Friction]) {
            const AsciiMinus ascii(*typed);
            const auto mu = TextToDouble(ascii.View());
            if (mu && *mu >= 0) {
                line.friction = *mu;
                if (auto warning = PlausibilityWarning(Row(F::Friction), *mu, units_)) {
                    request_.warnings.push_back(std::move(*warning));
                }
            } else {
                Fault(F::Friction, "摩擦系数无效: " + QuotedInput(*typed) + " (应为不小于 0 的数)");
            }
        }
        // The way the layout's own inputs describe, unless one is chosen.
        line.compensation = line.Joint() ? Layout::Bellows
                            : text_.Has(F::GivenLoopWidth) || text_.Has(F::GivenLoopHeight)
                                ? Layout::Loop
                                : Layout::Leg;
        if (const auto& typed = text_[F::Compensation]) {
            if (const auto layout = ParseLayout(*typed)) {
                line.compensation = *layout;
                if (*layout == Layout::Bellows && !text_.Has(F::JointMovement)) {
                    Needs(F::JointMovement, F::Compensation,
                          "伸缩节的计算要用每个伸缩节的额定位移");
                }
            } else {
                Fault(F::Compensation,
                      "补偿方式无效: " + QuotedInput(*typed) + " (应为 leg, loop 或 bellows)");
            }
        }
        const bool width = text_.Has(F::GivenLoopWidth);
        const bool height = text_.Has(F::GivenLoopHeight);
        if (width && !height) {
            Needs(F::GivenLoopHeight, F::GivenLoopWidth, "Π 形补偿器的宽与高要一同给出");
        } else if (height && !width) {
            Needs(F::GivenLoopWidth, F::GivenLoopHeight, "Π 形补偿器的宽与高要一同给出");
        }
        const bool allowable =
            text_.Has(F::Allowable) || (text_.Has(F::ColdAllowable) && text_.Has(F::HotAllowable));
        for (const F given : {F::GivenLeg, F::GivenLoopWidth, F::GivenLoopHeight}) {
            if (text_.Has(given) && !allowable) {
                Needs(F::Allowable, given, "校核给定的弯臂或补偿器要用 SA (或 Sc 与 Sh)");
                break;
            }
        }
        const F joint[] = {F::JointMovement, F::JointStiffness, F::JointArea,
                           F::Pressure,      F::Friction,       F::Weight};
        const auto anyJoint =
            std::find_if(std::begin(joint), std::end(joint), [&](F f) { return text_.Has(f); });
        if (anyJoint != std::end(joint)) {
            const std::string_view why = "伸缩节的计算要用";
            if (!text_.Has(F::JointMovement)) {
                Needs(F::JointMovement, *anyJoint, std::string(why) + "每个伸缩节的额定位移");
            }
            if (!text_.Has(F::JointStiffness)) {
                Needs(F::JointStiffness, *anyJoint, std::string(why) + "伸缩节的轴向刚度");
            }
            if (!text_.Has(F::Wall)) {
                Needs(F::Wall, *anyJoint, std::string(why) + "壁厚 (导向支架的间距)");
            }
            if (text_.Has(F::Pressure) && !text_.Has(F::JointArea)) {
                Needs(F::JointArea, F::Pressure, "压力推力为压力乘伸缩节有效面积");
            }
        }
        if (faults_.size() != before || !request_.pipe) return;
        request_.line = line;
    }

    const Catalogue& catalogue_;
    const RequestText& text_;
    Units units_;
    Request request_;
    std::vector<RequestFault> faults_;
    std::string range_;
    bool lengthRead_ = false;
};

}  // namespace

std::string CelsiusInUnits(double celsius, Units units) {
    std::string si = CelsiusText(celsius) + " 摄氏度";
    if (units == Units::Si) return si;
    return CelsiusText(CelsiusToFahrenheit(celsius)) + "°F (" + si + ")";
}

std::string QuotedInput(std::string_view text) {
    constexpr std::size_t kLongestQuoted = 24;  // characters
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && ++characters > kLongestQuoted) {
            return "\"" + std::string(text.substr(0, i)) + "…\"";
        }
    }
    return "\"" + std::string(text) + "\"";
}

std::variant<Request, std::vector<RequestFault>> CheckRequest(const Catalogue& catalogue,
                                                              const RequestText& text) {
    return RequestCheck(catalogue, text).Run();
}

std::variant<Request, std::string> ParseRequest(const Catalogue& catalogue,
                                                const RequestText& text) {
    auto checked = CheckRequest(catalogue, text);
    if (auto* request = std::get_if<Request>(&checked)) return *request;
    const RequestFault& first = std::get<std::vector<RequestFault>>(checked).front();
    return first.message + first.commandLineHint;
}

}  // namespace velmarith::engineering
