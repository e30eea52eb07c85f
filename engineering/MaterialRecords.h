#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engineering/Catalogue.h"
#include "engineering/UserMaterial.h"

namespace velmarith::engineering {

// A fault of a materials file: the physical line it is on (0: the file as a whole) and why.
struct MaterialFault {
    long long line = 0;
    std::string reason;
};

inline constexpr std::size_t kMostUserMaterials = 64;
inline constexpr std::size_t kMostPointsPerMaterial = 256;
inline constexpr std::size_t kMostFaultsReported = 100;
inline constexpr std::string_view kMaterialsHeaderC[] = {"name", "reference_C", "temperature_C",
                                                         "alpha_per_C"};
inline constexpr std::string_view kGradesColumn = "grades";

// Reads a materials file record by record, one table point a row, after the header
//   name,reference_C,temperature_C,alpha_per_C   (α in 10^-6 per °C)
//   name,reference_F,temperature_F,alpha_per_F   (α in 10^-6 per °F, times 1.8 on reading)
// and checks it as a whole: the rows of a material together, its points in strictly rising
// temperature, at least two of them, finite numbers, one reference temperature, no name of
// the eight or used twice, at most 64 materials of at most 256 points. Either every
// material, or every fault with its line.
// Either header may end in a fifth column, grades: the steels a material stands for, ";" or
// "、" between them. A material's grades are those on any of its rows (a row may leave the
// field empty or out); a grade of one of the eight, or of an earlier material, is a fault.
class MaterialFileReader {
  public:
    // One record's fields (UTF-8), or what made it unreadable.
    void Record(long long line, const std::vector<std::string_view>& fields,
                std::string_view recordError = {});
    std::variant<std::vector<UserMaterial>, std::vector<MaterialFault>> Finish();

  private:
    void Fault(long long line, std::string reason);
    void Header(long long line, const std::vector<std::string_view>& fields);
    void Point(long long line, const std::vector<std::string_view>& fields);
    void CloseMaterial();
    void Grades(long long line, std::string_view field);

    const Catalogue eight_;
    bool headerSeen_ = false;
    bool fahrenheit_ = false;
    bool gradesColumn_ = false;
    std::vector<UserMaterial> materials_;
    long long materialLine_ = 0;  // where the material under way started
    bool open_ = false;
    std::vector<MaterialFault> faults_;
    std::size_t faultCount_ = 0;
};

}  // namespace velmarith::engineering
