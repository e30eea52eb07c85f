#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "calc/GridWalk.h"
#include "tables/MaterialTables.h"

namespace velmarith::tool {

// A material given by its list position (0 … 7, in any form a temperature may take: " 2",
// full-width "２") or by its list text ("奥氏体钢", spaces around it ignored).
std::optional<int> ParseMaterial(std::string_view text);

struct Request {
    int material = 0;
    std::int16_t temperature = 0;
    float length = 0;
    std::int16_t install = ReferenceTemperature;
};

// Converts the texts as the window's prompts do and checks the temperatures against the
// material's limits. On failure the message says what is wrong, in the window's language.
// No installation temperature (std::nullopt) means 20 °C; an empty one is an error.
std::variant<Request, std::string> ParseRequest(std::string_view material,
                                                std::string_view temperature,
                                                std::string_view length,
                                                std::optional<std::string_view> install);

// The grid walk's answers, kept: a batch asks for the same few thousand temperatures again
// and again, and formatting the coefficient is most of a row's cost.
class CoefficientCache {
  public:
    explicit CoefficientCache(const MaterialTables& tables) : tables_(tables) {}
    std::optional<CoefficientHit> Find(int material, std::int16_t temperature) const;

  private:
    struct Slot {
        bool filled = false;
        std::optional<CoefficientHit> hit;
    };
    const MaterialTables& tables_;
    static constexpr std::size_t kSlotsPerMaterial = HighestTemperature - LowestTemperature + 1;
    mutable std::vector<Slot> slots_ = std::vector<Slot>(kMaterialCount * kSlotsPerMaterial);
};

struct Result {
    CoefficientHit coefficient;                        // at the temperature
    std::optional<CoefficientHit> installCoefficient;  // at the installation temperature
    float expansion;                                   // mm, from the installation temperature
    // The optional figures; std::nullopt when one does not fit a single. They never cost
    // the expansion, which is the window's result.
    std::optional<float> millimetresPerMetre;
    std::optional<float> finalLength;  // mm
};

// With mean coefficients from 20 °C the growth from T1 to T2 is
//   ΔL = ((L·ᾱ(T2))·(T2 − 20) − (L·ᾱ(T1))·(T1 − 20)) / 1e6,
// each product in the window's order, so that T1 = 20 gives the window's result exactly.
std::variant<Result, std::string> Calculate(const CoefficientCache& coefficients,
                                            const Request& request);

}  // namespace velmarith::tool
