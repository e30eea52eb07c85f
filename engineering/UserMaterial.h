#pragma once

#include <string>
#include <vector>

namespace velmarith::engineering {

// A material of the user's own: mean coefficients from its reference temperature, at points
// of strictly rising temperature. Its range is its first to its last point.
struct UserMaterial {
    struct Point {
        double temperature;  // °C
        double alpha;        // 10^-6 per °C, the mean from the reference temperature
        bool operator==(const Point&) const = default;
    };
    std::string name;
    double reference = 20;  // °C
    std::vector<Point> points;
    std::vector<std::string> grades = {};  // the steels it stands for, as the file spells them
    bool operator==(const UserMaterial&) const = default;
};

}  // namespace velmarith::engineering
