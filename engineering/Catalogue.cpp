#include "engineering/Catalogue.h"

#include "engineering/Request.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {

Catalogue::Catalogue() { BuildMaterialTables(tables_); }

Catalogue::Catalogue(std::vector<UserMaterial> user) : Catalogue() { user_ = std::move(user); }

std::optional<int> Catalogue::Find(std::string_view text) const {
    if (const auto k = ParseMaterial(text)) return k;
    for (std::size_t i = 0; i < user_.size(); ++i) {
        if (user_[i].name == text) return kMaterialCount + static_cast<int>(i);
    }
    return std::nullopt;
}

std::string Catalogue::Name(int id) const {
    return IsBuiltIn(id) ? std::string(MaterialListTexts[id]) : User(id).name;
}

double Catalogue::Low(int id) const {
    return IsBuiltIn(id) ? MaterialLimitsTable[id].Low : User(id).points.front().temperature;
}

double Catalogue::High(int id) const {
    return IsBuiltIn(id) ? MaterialLimitsTable[id].High : User(id).points.back().temperature;
}

double Catalogue::Reference(int id) const {
    return IsBuiltIn(id) ? ReferenceTemperature : User(id).reference;
}

std::optional<TablePlace> Catalogue::Place(int id, double celsius) const {
    if (IsBuiltIn(id)) return WalkGrid(tables_, id, celsius);
    const auto& points = User(id).points;
    const double t = celsius;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        if (t == points[i].temperature) return TablePlace{index, true, points[i].alpha};
        if (i + 1 < points.size() && points[i].temperature < t && t < points[i + 1].temperature) {
            return TablePlace{index, false,
                              Interpolate(t, points[i].temperature, points[i + 1].temperature,
                                          points[i].alpha, points[i + 1].alpha)};
        }
    }
    return std::nullopt;
}

std::optional<CoefficientHit> Catalogue::Lookup(int id, double celsius) const {
    if (IsBuiltIn(id)) return FindCoefficientAt(tables_, id, celsius);
    const auto place = Place(id, celsius);
    if (!place) return std::nullopt;
    if (!place->exact) return BetweenPoints(place->index, place->value);
    return CoefficientHit{place->index, true, place->value, static_cast<float>(place->value),
                          DoubleToText(place->value)};
}

std::optional<float> Catalogue::CoefficientAt(int id, double celsius) const {
    const auto place = Place(id, celsius);
    if (!place) return std::nullopt;
    return static_cast<float>(place->value);
}

}  // namespace velmarith::engineering
