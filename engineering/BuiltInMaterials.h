#pragma once

#include <array>
#include <string_view>

#include "engineering/Material.h"
#include "tables/MaterialTables.h"

namespace velmarith::engineering {

// What the eight carry beyond the window's tables (names, rows and limits): the reference
// modulus at 21 °C (70 °F) from ASME B31.3 Appendix C, Table C-6, and the source of the
// coefficients. In list order.
struct BuiltInMaterial {
    double modulusMillionPsi;
    std::string_view dataSource;
};

inline constexpr std::string_view kBuiltInDataSource =
    "内置系数表 (20 摄氏度至各温度的平均线膨胀系数)";

inline constexpr std::array<BuiltInMaterial, kMaterialCount> kBuiltInMaterials = {{
    {29.5, kBuiltInDataSource},  // carbon steel
    {30.9, kBuiltInDataSource},  // 5Cr–9Cr-Mo
    {28.3, kBuiltInDataSource},  // austenitic
    {29.2, kBuiltInDataSource},  // 12Cr–17Cr
    {28.3, kBuiltInDataSource},  // TP310, austenitic
    {10.0, kBuiltInDataSource},  // aluminium
    {13.4, kBuiltInDataSource},  // grey cast iron
    {26.0, kBuiltInDataSource},  // Ni-Cu alloy 400
}};

// The modulus of one of the eight, with its source.
inline Modulus BuiltInModulus(int material) {
    return {kBuiltInMaterials[static_cast<std::size_t>(material)].modulusMillionPsi,
            kModulusSource};
}

// The grades the eight cover: the material's list position, the grade's usual spelling and
// its other names ("、" between them). Matching ignores case, spaces and "#" ("20#" is 20).
struct BuiltInGrade {
    int material;
    std::string_view name;
    std::string_view aliases = {};
};

inline constexpr BuiltInGrade kBuiltInGrades[] = {
    {0, "10"},
    {0, "20"},
    {0, "Q235B"},
    {0, "Q245R"},
    {0, "Q345R", "16MnR"},
    {0, "L245"},
    {0, "A105"},
    {0, "A106 B"},
    {0, "API 5L B"},
    {0, "15CrMo"},
    {0, "12Cr1MoV"},
    {0, "P11"},
    {0, "P12"},
    {0, "P22"},
    {1, "12Cr5Mo", "1Cr5Mo"},
    {1, "P5"},
    {1, "P9"},
    {1, "P91"},
    {2, "06Cr19Ni10", "S30408、304、0Cr18Ni9"},
    {2, "022Cr19Ni10", "S30403、304L、00Cr19Ni10"},
    {2, "06Cr17Ni12Mo2", "S31608、316、0Cr17Ni12Mo2"},
    {2, "022Cr17Ni12Mo2", "S31603、316L、00Cr17Ni14Mo2"},
    {2, "06Cr18Ni11Ti", "S32168、321、0Cr18Ni10Ti"},
    {2, "06Cr18Ni11Nb", "S34778、347、0Cr18Ni11Nb"},
    {3, "06Cr13", "S41008、0Cr13"},
    {3, "12Cr13", "S41010、410、1Cr13"},
    {3, "10Cr17", "S11710、430、1Cr17"},
    {4, "06Cr25Ni20", "S31008、310S、0Cr25Ni20"},
    {5, "1060"},
    {5, "3003"},
    {5, "5052"},
    {5, "6061"},
    {6, "HT200"},
    {6, "HT250"},
    {7, "Monel 400", "N04400"},
};

}  // namespace velmarith::engineering
