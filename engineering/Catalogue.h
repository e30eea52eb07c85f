#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/GridWalk.h"
#include "engineering/UserMaterial.h"
#include "tables/MaterialTables.h"

namespace velmarith::engineering {

// Every material a calculation can name: the window's eight (ids 0 … 7, their own table
// and limits) and then the user's own (ids 8 on, in the order of their file).
class Catalogue {
  public:
    Catalogue();
    explicit Catalogue(std::vector<UserMaterial> user);

    int Count() const { return kMaterialCount + static_cast<int>(user_.size()); }
    static bool IsBuiltIn(int id) { return IsMaterialIndex(id); }
    const UserMaterial& User(int id) const {
        return user_[static_cast<std::size_t>(id - kMaterialCount)];
    }
    const std::vector<UserMaterial>& UserMaterials() const { return user_; }
    const MaterialTables& Tables() const { return tables_; }

    // A position 0 … 7 or a list text (as the window's list has them), or a user
    // material's exact name.
    std::optional<int> Find(std::string_view text) const;

    std::string Name(int id) const;
    double Low(int id) const;
    double High(int id) const;
    double Reference(int id) const;
    bool Within(int id, double celsius) const { return celsius >= Low(id) && celsius <= High(id); }

    // The mean coefficient at a temperature in °C: for the eight the window's grid walk; for
    // a user material its points, taken as they are at a point and interpolated between
    // two with the window's formula, rounded to single. Nothing outside the range.
    std::optional<CoefficientHit> Lookup(int id, double celsius) const;

    // The same coefficient as a single, without its printed text (for curves).
    std::optional<float> CoefficientAt(int id, double celsius) const;

  private:
    std::optional<TablePlace> Place(int id, double celsius) const;

    MaterialTables tables_;
    std::vector<UserMaterial> user_;
};

}  // namespace velmarith::engineering
