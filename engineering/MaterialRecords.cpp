#include "engineering/MaterialRecords.h"

#include <algorithm>

#include "engineering/Request.h"
#include "engineering/Units.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

constexpr std::string_view kHeaderF[] = {"name", "reference_F", "temperature_F", "alpha_per_F"};

// The header's four columns, or five with the grades last.
bool Matches(const std::vector<std::string_view>& fields, const std::string_view (&header)[4]) {
    const bool grades = fields.size() == 5 && fields[4] == kGradesColumn;
    return (fields.size() == 4 || grades) && std::equal(header, header + 4, fields.begin());
}

}  // namespace

void MaterialFileReader::Fault(long long line, std::string reason) {
    ++faultCount_;
    if (faults_.size() < kMostFaultsReported) faults_.push_back({line, std::move(reason)});
}

void MaterialFileReader::Record(long long line, const std::vector<std::string_view>& fields,
                                std::string_view recordError) {
    if (!recordError.empty()) {
        Fault(line, std::string(recordError));
        if (!headerSeen_) headerSeen_ = true;  // one fault for the header is enough
        return;
    }
    // A blank line ends nothing and says nothing.
    if (fields.size() == 1 && fields[0].empty()) return;
    if (!headerSeen_) {
        Header(line, fields);
        return;
    }
    Point(line, fields);
}

void MaterialFileReader::Header(long long line, const std::vector<std::string_view>& fields) {
    headerSeen_ = true;
    gradesColumn_ = fields.size() == 5;
    if (Matches(fields, kMaterialsHeaderC)) return;
    if (Matches(fields, kHeaderF)) {
        fahrenheit_ = true;
        return;
    }
    gradesColumn_ = false;
    Fault(line,
          "表头应为 name,reference_C,temperature_C,alpha_per_C 或 "
          "name,reference_F,temperature_F,alpha_per_F");
}

void MaterialFileReader::Point(long long line, const std::vector<std::string_view>& fields) {
    if (gradesColumn_ && fields.size() != 4 && fields.size() != 5) {
        Fault(line, "应有4或5列: 名称, 参考温度, 温度, 系数, 牌号");
        return;
    }
    if (!gradesColumn_ && fields.size() != 4) {
        Fault(line, "应有4列: 名称, 参考温度, 温度, 系数");
        return;
    }
    const std::string_view name = fields[0];
    if (name.empty()) {
        Fault(line, "材料名称为空");
        return;
    }
    const char* names[] = {"参考温度", "温度", "系数"};
    double numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        const auto number = TextToDouble(fields[static_cast<std::size_t>(i) + 1]);
        if (!number) {
            Fault(line, std::string(names[i]) + "不是有限的数: \"" +
                            std::string(fields[static_cast<std::size_t>(i) + 1]) + "\"");
            return;
        }
        numbers[i] = *number;
    }
    double reference = numbers[0];
    double temperature = numbers[1];
    double alpha = numbers[2];
    if (fahrenheit_) {
        if (reference < kAbsoluteZeroFahrenheit || temperature < kAbsoluteZeroFahrenheit) {
            Fault(line, "温度低于绝对零度 -459.67°F");
            return;
        }
        reference = FahrenheitToCelsius(reference);
        temperature = FahrenheitToCelsius(temperature);
        alpha *= 1.8;  // per °F to per °C
    } else if (reference < -273.15 || temperature < -273.15) {
        Fault(line, "温度低于绝对零度 -273.15 摄氏度");
        return;
    }
    if (!RoundToSingle(alpha)) {
        Fault(line, "系数超出单精度范围");
        return;
    }

    const bool continues = open_ && materials_.back().name == name;
    if (!continues) {
        CloseMaterial();
        if (ParseMaterial(name)) {
            Fault(line, "名称 \"" + std::string(name) + "\" 是内置材料之一 (或其序号)");
        }
        for (const auto& earlier : materials_) {
            if (earlier.name == name) {
                Fault(line,
                      "材料 \"" + std::string(name) + "\" 已在前面定义过, 同一材料的各行应连续");
                break;
            }
        }
        if (materials_.size() == kMostUserMaterials) {
            Fault(line, "自定义材料最多 " + std::to_string(kMostUserMaterials) + " 种");
            return;
        }
        materials_.push_back(UserMaterial{std::string(name), reference, {}});
        materialLine_ = line;
        open_ = true;
    }
    if (fields.size() == 5) Grades(line, fields[4]);
    UserMaterial& material = materials_.back();
    if (reference != material.reference) {
        Fault(line, "参考温度 " + DoubleToText(reference) + " 与该材料第一行的 " +
                        DoubleToText(material.reference) + " 不同 (每种材料只能有一个参考温度)");
        return;
    }
    if (!material.points.empty() && temperature <= material.points.back().temperature) {
        Fault(line, "温度 " + DoubleToText(temperature) + " 摄氏度不高于上一点的 " +
                        DoubleToText(material.points.back().temperature) + " 摄氏度 (应严格递增)");
        return;
    }
    if (material.points.size() == kMostPointsPerMaterial) {
        Fault(line, "每种材料最多 " + std::to_string(kMostPointsPerMaterial) + " 个表点");
        return;
    }
    material.points.push_back({temperature, alpha});
}

void MaterialFileReader::Grades(long long line, std::string_view field) {
    UserMaterial& material = materials_.back();
    for (auto& grade : SplitGrades(field)) {
        const std::string key = GradeKey(grade);
        const auto same = [&](const std::string& other) { return GradeKey(other) == key; };
        if (key.empty() || ParseMaterial(grade)) {
            Fault(line, "牌号 \"" + grade + "\" 不能用作牌号 (为空, 或是内置材料的序号或名称)");
        } else if (const auto builtIn = eight_.FindGrade(grade)) {
            Fault(line, "牌号 \"" + grade + "\" 已属于内置材料 " + std::to_string(builtIn->id) +
                            " " + eight_.Name(builtIn->id) + " (" + builtIn->grade + ")");
        } else if (std::none_of(material.grades.begin(), material.grades.end(), same)) {
            for (std::size_t i = 0; i + 1 < materials_.size(); ++i) {
                if (std::any_of(materials_[i].grades.begin(), materials_[i].grades.end(), same)) {
                    Fault(line, "牌号 \"" + grade + "\" 已属于材料 \"" + materials_[i].name + "\"");
                }
            }
            material.grades.push_back(std::move(grade));
        }
    }
}

void MaterialFileReader::CloseMaterial() {
    if (!open_) return;
    open_ = false;
    if (materials_.back().points.size() < 2) {
        Fault(materialLine_, "材料 \"" + materials_.back().name + "\" 只有 " +
                                 std::to_string(materials_.back().points.size()) +
                                 " 个表点, 至少要 2 个");
    }
}

std::variant<std::vector<UserMaterial>, std::vector<MaterialFault>> MaterialFileReader::Finish() {
    CloseMaterial();
    if (!headerSeen_) Fault(0, "文件为空: 应有表头 name,reference_C,temperature_C,alpha_per_C");
    std::stable_sort(
        faults_.begin(), faults_.end(),
        [](const MaterialFault& a, const MaterialFault& b) { return a.line < b.line; });
    if (faultCount_ > faults_.size()) {
        faults_.push_back(
            {0, "另有 " + std::to_string(faultCount_ - faults_.size()) + " 处错误未列出"});
    }
    if (faultCount_ > 0) return faults_;
    return std::move(materials_);
}

}  // namespace velmarith::engineering
