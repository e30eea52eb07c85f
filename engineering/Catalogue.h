#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/GridWalk.h"
#include "engineering/Material.h"
#include "engineering/UserMaterial.h"
#include "tables/MaterialTables.h"

namespace velmarith::engineering {

class Catalogue;

// The lookups of the eight at whole temperatures, kept: a batch asks for the same few thousand
// again and again, and formatting the coefficient is most of a row's cost. Handed to
// Catalogue::Lookup; fractional temperatures (from °F) and the user's materials are looked
// up each time.
class CoefficientCache {
  public:
    explicit CoefficientCache(const Catalogue& catalogue) : catalogue_(catalogue) {}

  private:
    friend class Catalogue;
    struct Slot {
        bool filled = false;
        std::optional<CoefficientHit> hit;
    };
    static constexpr std::size_t kSlotsPerMaterial = HighestTemperature - LowestTemperature + 1;
    const Catalogue& catalogue_;
    mutable std::vector<Slot> slots_ = std::vector<Slot>(kMaterialCount * kSlotsPerMaterial);
};

// What a material's text names: the material, and the grade's usual spelling when the text
// was a grade ("s30408" names 2 by the grade "06Cr19Ni10"); empty otherwise.
struct MaterialChoice {
    int id;
    std::string grade;
};

// Every material a calculation can name, one record each: the window's eight (ids 0 … 7,
// from its own tables) and then the user's own (ids 8 on, in the order of their file).
class Catalogue {
  public:
    Catalogue();
    explicit Catalogue(std::vector<UserMaterial> user);

    int Count() const { return static_cast<int>(materials_.size()); }
    static bool IsBuiltIn(int id) { return IsMaterialIndex(id); }
    const Material& Record(int id) const { return materials_[static_cast<std::size_t>(id)]; }
    const UserMaterial& User(int id) const {
        return user_[static_cast<std::size_t>(id - kMaterialCount)];
    }
    const std::vector<UserMaterial>& UserMaterials() const { return user_; }
    const MaterialTables& Tables() const { return tables_; }

    // What a text names, in this order: a position 0 … 7 or a list text (as the window's
    // list has them); a user material's exact name; a user material's id 8 … Count() − 1 as
    // the table shows it (so "10" is the third user material when there are three, and the
    // grade 10 otherwise); a grade of the eight or of a user material.
    std::optional<MaterialChoice> Resolve(std::string_view text) const;
    std::optional<int> Find(std::string_view text) const;

    // The material a grade belongs to, by the grade alone (no position, name or id).
    std::optional<MaterialChoice> FindGrade(std::string_view text) const;

    const std::string& Name(int id) const { return Record(id).name; }
    double Low(int id) const { return Record(id).low; }
    double High(int id) const { return Record(id).high; }
    double Reference(int id) const { return Record(id).reference; }
    bool Within(int id, double celsius) const { return celsius >= Low(id) && celsius <= High(id); }

    // The mean coefficient at a temperature in °C, by the one lookup of every table: at a
    // point as stored, between two interpolated with the window's formula and rounded to
    // single. Nothing outside the range. With a cache made for this catalogue, the eight's
    // whole temperatures are looked up once.
    std::optional<CoefficientHit> Lookup(int id, double celsius,
                                         const CoefficientCache* cache = nullptr) const;

    // The same coefficient as a single, without its printed text (for curves).
    std::optional<float> CoefficientAt(int id, double celsius) const;

  private:
    MaterialTables tables_;
    std::vector<UserMaterial> user_;  // as read, for writing back
    std::vector<Material> materials_;
};

}  // namespace velmarith::engineering
