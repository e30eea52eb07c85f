#include "app/shared/PipeSketch.h"

#include <cmath>

#include "app/shared/CompensationText.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {
namespace {

using namespace engineering;

std::string Text(int x, int y, const std::string& text, const char* anchor = "middle") {
    return "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" text-anchor=\"" +
           anchor + "\">" + text + "</text>\n";
}

std::string Path(const std::string& d, const char* extra = "") {
    return "<path d=\"" + d + "\" fill=\"none\" stroke=\"black\" " + extra + "/>\n";
}

// An anchor: a filled square on the line.
std::string Anchor(int x, int y) {
    return "<rect class=\"anchor\" x=\"" + std::to_string(x - 5) + "\" y=\"" +
           std::to_string(y - 5) + "\" width=\"10\" height=\"10\"/>\n";
}

}  // namespace

std::string PipeSketchSvg(const Request& request, const Compensation& figures) {
    if (!figures.leg) return {};
    const std::string unit(LengthUnit(request.units));
    const std::string delta = "Δ = " + Figure(std::fabs(figures.movement)) + " " + unit;
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"240\" "
        "viewBox=\"0 0 640 240\" font-family=\"WenQuanYi Zen Hei Mono, SimSun, sans-serif\" "
        "font-size=\"12\">\n<title>L 形弯与 Π 形补偿器的尺寸 (示意, 不按比例)</title>\n"
        "<rect width=\"640\" height=\"240\" fill=\"white\"/>\n";
    // The L-bend: the run from the anchor to the bend, then the leg at right angles.
    svg += "<g class=\"l-bend\">\n" + Text(150, 20, "L 形弯") + Anchor(30, 190) +
           Path("M30 190 H230 V60", "stroke-width=\"3\"") + Anchor(230, 60) +
           Text(130, 210, "L = " + SingleToText(request.length) + " " + unit) +
           Path("M250 190 V60", "stroke-dasharray=\"4 3\"") +
           "<text x=\"258\" y=\"125\" class=\"leg\">Lg = " + Figure(*figures.leg) + " " + unit +
           "</text>\n" + Text(130, 175, delta) + "</g>\n";
    // The Π loop in the middle of the run between two anchors.
    svg += "<g class=\"loop\">\n" + Text(490, 20, "Π 形补偿器") + Anchor(360, 190) +
           Anchor(620, 190) + Path("M360 190 H450 V70 H530 V190 H620", "stroke-width=\"3\"") +
           Path("M450 58 H530", "stroke-dasharray=\"4 3\"") +
           "<text x=\"490\" y=\"52\" text-anchor=\"middle\" class=\"width\">W = " +
           Figure(*figures.loopWidth) + " " + unit + "</text>\n" +
           Path("M542 70 V190", "stroke-dasharray=\"4 3\"") +
           "<text x=\"548\" y=\"135\" class=\"height\">H = " + Figure(*figures.loopHeight) + " " +
           unit + "</text>\n" + Text(490, 215, "两固定点之间, 补偿器居中") + "</g>\n";
    return svg + "</svg>\n";
}

}  // namespace velmarith::tool
