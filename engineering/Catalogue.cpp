#include "engineering/Catalogue.h"

#include "engineering/BuiltInMaterials.h"
#include "engineering/Request.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

constexpr std::string_view kUserDataSource = "自定义材料文件";

Material BuiltIn(const MaterialTables& tables, int id) {
    const auto at = static_cast<std::size_t>(id);
    const MaterialLimits& limits = MaterialLimitsTable[at];
    const BuiltInMaterial& extra = kBuiltInMaterials[at];
    Material material{id,
                      std::string(MaterialListTexts[at]),
                      {},
                      static_cast<double>(ReferenceTemperature),
                      static_cast<double>(limits.Low),
                      static_cast<double>(limits.High),
                      limits.First,
                      {},
                      BuiltInModulus(id),
                      extra.dataSource};
    for (int i = limits.First; i <= limits.Last; ++i) {
        const auto index = static_cast<std::size_t>(i);
        material.points.push_back({static_cast<double>(tables.TemperatureGrid[index]),
                                   tables.CoefficientTable[at][index]});
    }
    for (const auto& grade : kBuiltInGrades) {
        if (grade.material == id)
            material.grades.push_back({std::string(grade.name), SplitGrades(grade.aliases)});
    }
    return material;
}

Material FromUser(const UserMaterial& user, int id) {
    Material material{id,
                      user.name,
                      {},
                      user.reference,
                      user.points.front().temperature,
                      user.points.back().temperature,
                      0,
                      {},
                      std::nullopt,
                      kUserDataSource};
    for (const auto& point : user.points)
        material.points.push_back({point.temperature, point.alpha});
    for (const auto& grade : user.grades) material.grades.push_back({grade, {}});
    return material;
}

}  // namespace

Catalogue::Catalogue() {
    BuildMaterialTables(tables_);
    for (int id = 0; id < kMaterialCount; ++id) materials_.push_back(BuiltIn(tables_, id));
}

Catalogue::Catalogue(std::vector<UserMaterial> user) : Catalogue() {
    user_ = std::move(user);
    for (const auto& material : user_) materials_.push_back(FromUser(material, Count()));
}

std::optional<MaterialChoice> Catalogue::Resolve(std::string_view text) const {
    if (const auto k = ParseMaterial(text)) return MaterialChoice{*k, {}};
    for (int id = kMaterialCount; id < Count(); ++id) {
        if (Name(id) == text) return MaterialChoice{id, {}};
    }
    // The id the table shows wins over a grade of the same digits: "10" is a user material
    // when there are three, and the grade 10 of the first material when there are fewer.
    if (const auto id = TextToInteger(text); id && *id >= kMaterialCount && *id < Count()) {
        return MaterialChoice{*id, {}};
    }
    return FindGrade(text);
}

std::optional<int> Catalogue::Find(std::string_view text) const {
    if (const auto choice = Resolve(text)) return choice->id;
    return std::nullopt;
}

std::optional<MaterialChoice> Catalogue::FindGrade(std::string_view text) const {
    const std::string key = GradeKey(text);
    if (key.empty()) return std::nullopt;
    for (const auto& material : materials_) {
        for (const auto& grade : material.grades) {
            if (GradeKey(grade.name) == key) return MaterialChoice{material.id, grade.name};
            for (const auto& alias : grade.aliases) {
                if (GradeKey(alias) == key) return MaterialChoice{material.id, grade.name};
            }
        }
    }
    return std::nullopt;
}

std::optional<float> Catalogue::CoefficientAt(int id, double celsius) const {
    const Material& material = Record(id);
    const auto hit = FindCoefficientAmong(material.points, material.first, celsius, false);
    return hit ? std::optional(hit->coefficient) : std::nullopt;
}

std::optional<CoefficientHit> Catalogue::Lookup(int id, double celsius,
                                                const CoefficientCache* cache) const {
    const Material& material = Record(id);
    const auto find = [&](double t) {
        return FindCoefficientAmong(material.points, material.first, t);
    };
    if (cache == nullptr || &cache->catalogue_ != this || !IsBuiltIn(id)) return find(celsius);
    const bool whole = celsius == static_cast<double>(static_cast<int>(celsius));
    if (!whole || !WithinTemperatureBounds(static_cast<int>(celsius))) return find(celsius);
    const int t = static_cast<int>(celsius);
    auto& slot = cache->slots_[static_cast<std::size_t>(id) * CoefficientCache::kSlotsPerMaterial +
                               static_cast<std::size_t>(t - LowestTemperature)];
    if (!slot.filled) {
        slot.hit = find(t);
        slot.filled = true;
    }
    return slot.hit;
}

}  // namespace velmarith::engineering
