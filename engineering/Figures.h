#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/GridWalk.h"
#include "engineering/Catalogue.h"
#include "engineering/Request.h"

namespace velmarith::engineering {

// The grid walk's answers for the eight, kept: a batch asks for the same few thousand whole
// temperatures again and again, and formatting the coefficient is most of a row's cost.
// Fractional temperatures (from °F) and the user's materials are looked up each time.
class CoefficientCache {
  public:
    explicit CoefficientCache(const Catalogue& catalogue) : catalogue_(catalogue) {}
    std::optional<CoefficientHit> Find(int material, double celsius) const;

  private:
    struct Slot {
        bool filled = false;
        std::optional<CoefficientHit> hit;
    };
    const Catalogue& catalogue_;
    static constexpr std::size_t kSlotsPerMaterial = HighestTemperature - LowestTemperature + 1;
    mutable std::vector<Slot> slots_ = std::vector<Slot>(kMaterialCount * kSlotsPerMaterial);
};

// Every figure is in the request's length unit (mm, or in); std::nullopt for an optional
// one that does not fit a single. They never cost the expansion, which is the window's.
struct Result {
    CoefficientHit coefficient;                        // at the (warmest) temperature
    std::optional<CoefficientHit> installCoefficient;  // at the installation temperature
    std::optional<CoefficientHit> coldCoefficient;     // at the cold temperature
    float expansion;                                   // installation → warmest
    std::optional<float> rate;                         // per 1 m (mm/m) or per 100 ft (in)
    std::optional<float> finalLength;
    std::optional<float> coldExpansion;  // installation → coldest
    std::optional<float> movement;       // coldest → warmest
};

// The mean coefficient at a temperature in °C: from the cache when there is one (a batch),
// from the catalogue otherwise (one calculation needs no cache).
std::optional<CoefficientHit> LookUp(const Catalogue& catalogue, const CoefficientCache* cache,
                                     int material, double celsius);

// With mean coefficients from the reference temperature Tr (20 °C for the eight) the growth
// of L from T1 to T2 is
//   ΔL = ((L·ᾱ(T2))·(T2 − Tr) − (L·ᾱ(T1))·(T1 − Tr)) / 1e6,
// each product in the window's order and with its single coefficients, so that T1 = 20
// gives the window's result exactly.
double Growth(double length, float a1, double t1, float a2, double t2, double reference);

// The figures of a checked request. In US units L is the length in mm (in × 25.4) and each
// growth is turned back into inches before it is rounded to single. Fails only when the
// growth itself does not fit a single.
std::variant<Result, std::string> Calculate(const Catalogue& catalogue, const Request& request,
                                            const CoefficientCache* cache = nullptr);

// ΔL in mm of a length in mm from one temperature to another (°C) by the rule above, before
// any rounding; std::nullopt where a temperature lies outside the material's range (the
// reference temperature itself excepted, whose term is zero).
std::optional<double> GrowthMm(const Catalogue& catalogue, int material, double lengthMm,
                               double fromCelsius, double toCelsius);

}  // namespace velmarith::engineering
