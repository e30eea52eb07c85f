#pragma once

#include <optional>
#include <string>

#include "engineering/Figures.h"

namespace velmarith::tool {

struct PlotRequest {
    int material = 0;
    engineering::Units units = engineering::Units::Si;
    std::optional<double> temperature;  // the point to mark, °C
    std::optional<double> lengthMm;     // with a length, ΔL(T) from the installation temperature
    double installCelsius = ReferenceTemperature;
    std::optional<double> coldCelsius;  // the cold state, marked with the installation's point
};

// The presentation's drawings are here and in PipeSketch. An SVG picture, a few kilobytes, readable
// in black and white: α(T) over the material's range as a solid line through its table points (each
// marked, with its temperature and value in data-t and data-alpha), the requested point filled, the
// installation's (a hollow square) and a cold state's (a filled diamond) marked beside it, and
// with a length ΔL(T) as a dashed line on a second axis. Axes, ticks, units and the title are in
// Chinese.
std::string PlotSvg(const engineering::Catalogue& catalogue, const PlotRequest& request);

}  // namespace velmarith::tool
