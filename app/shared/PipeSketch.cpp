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

// A guide: a frame around the line that lets it slide.
std::string Guide(int x, int y, const std::string& name) {
    return "<rect class=\"guide\" x=\"" + std::to_string(x - 7) + "\" y=\"" +
           std::to_string(y - 10) + "\" width=\"14\" height=\"20\" fill=\"none\" " +
           "stroke=\"black\"/>\n" + Text(x, y - 16, name);
}

// A dimension from x1 to x2 at height y, its text under it.
std::string Dimension(int x1, int x2, int y, const std::string& text, const char* id) {
    return Path("M" + std::to_string(x1) + " " + std::to_string(y) + " H" + std::to_string(x2),
                "marker-start=\"url(#tick)\" marker-end=\"url(#tick)\"") +
           "<text x=\"" + std::to_string((x1 + x2) / 2) + "\" y=\"" + std::to_string(y + 15) +
           "\" text-anchor=\"middle\" class=\"" + id + "\">" + text + "</text>\n";
}

}  // namespace

std::string BellowsSketchSvg(const Request& request, const Bellows& b) {
    const std::string unit(LengthUnit(request.units));
    const std::string force = request.units == Units::Si ? " kN" : " lbf";
    const auto length = [&](double value) { return Figure(value) + " " + unit; };
    std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"640\" height=\"230\" "
        "viewBox=\"0 0 640 230\" font-family=\"WenQuanYi Zen Hei Mono, SimSun, sans-serif\" "
        "font-size=\"12\">\n<title>轴向波纹管伸缩节, 固定点与导向支架 (示意, 不按比例)</title>\n"
        "<defs><marker id=\"tick\" viewBox=\"0 0 2 12\" refX=\"1\" refY=\"6\" "
        "markerWidth=\"2\" markerHeight=\"12\"><path d=\"M1 0 V12\" stroke=\"black\"/>"
        "</marker></defs>\n<rect width=\"640\" height=\"230\" fill=\"white\"/>\n";
    // The line: anchor, joint, guides, and the rest of the part (dashed) to its other anchor.
    svg += Path("M30 110 H80 M110 110 H530", "stroke-width=\"3\"") +
           Path("M530 110 H610", "stroke-width=\"3\" stroke-dasharray=\"6 4\"") + Anchor(30, 110) +
           Anchor(610, 110);
    svg += "<g class=\"joint\">" +
           Path(
               "M80 98 H110 V122 H80 Z M86 98 V122 M92 98 V122 M98 98 V122 "
               "M104 98 V122") +
           "</g>\n";
    svg += Guide(190, 110, "导向 1") + Guide(340, 110, "导向 2") + Guide(500, 110, "导向");
    // What each anchor carries; an anchor between two joints has no pressure thrust.
    svg += Text(20, 30, "主固定点", "start") +
           "<text x=\"20\" y=\"48\" class=\"anchor-force\">F = " + Figure(b.anchorForce) + force +
           "</text>\n";
    svg += Text(620, 30, b.joints > 1 ? "中间固定点" : "主固定点", "end");
    if (b.joints > 1) svg += Text(620, 48, "(无压力推力)", "end");
    std::string joint = "伸缩节";
    if (b.joints > 1) joint += " (共 " + Figure(b.joints) + " 个, 每段一个)";
    joint += ": δ = " + length(b.movementPerJoint);
    if (b.preset > 0) joint += ", 预拉伸 " + length(b.preset);
    if (b.preset < 0) joint += ", 预压缩 " + length(-b.preset);
    svg += "<text x=\"80\" y=\"72\" class=\"joint-text\">" + joint + "</text>\n";
    // The distances: at most 4D, then 14D, then Lmax apart.
    svg += Path("M110 124 V150 M190 124 V150 M340 124 V150 M500 124 V150", "stroke-width=\"0.5\"");
    svg += Dimension(110, 190, 146, "≤ 4D = " + length(b.firstGuide), "first-guide") +
           Dimension(190, 340, 146, "≤ 14D = " + length(b.secondGuide), "second-guide");
    svg += Dimension(
        340, 500, 146,
        b.guideSpacing ? "≤ Lmax = " + length(*b.guideSpacing) : std::string("Lmax: 不受失稳限制"),
        "guide-spacing");
    svg += Path("M30 120 V196 M610 120 V196", "stroke-width=\"0.5\"") +
           Dimension(30, 610, 192, "L/n = " + length(request.typedLength / b.joints), "part");
    return svg + "</svg>\n";
}

std::string PipeSketchSvg(const Request& request, const Compensation& figures) {
    if (!figures.leg) return {};
    const std::string unit(LengthUnit(request.units));
    const std::string delta = "Δ = " + Figure(std::fabs(figures.movement)) + " " + unit;
    // The chosen way alone, with what the layout gives beside what is needed; both where no
    // way is chosen.
    const Line* line = request.line ? &*request.line : nullptr;
    const bool both = !line || line->compensation == Layout::Bellows;
    const bool leg = both || line->compensation == Layout::Leg;
    const bool loop = both || line->compensation == Layout::Loop;
    const int width = both ? 640 : leg ? 430 : 330;
    const std::string size = std::to_string(width);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + size +
                      "\" height=\"240\" viewBox=\"0 0 " + size +
                      " 240\" font-family=\"WenQuanYi Zen Hei Mono, SimSun, sans-serif\" "
                      "font-size=\"12\">\n<title>" +
                      (both  ? "L 形弯与 Π 形补偿器"
                       : leg ? "L 形弯"
                             : "Π 形补偿器") +
                      "的尺寸 (示意, 不按比例)</title>\n<rect width=\"" + size +
                      "\" height=\"240\" fill=\"white\"/>\n";
    // The L-bend: the run from the anchor to the bend, then the leg at right angles.
    if (leg) {
        svg += "<g class=\"l-bend\">\n" + Text(150, 20, "L 形弯") + Anchor(30, 190) +
               Path("M30 190 H230 V60", "stroke-width=\"3\"") + Anchor(230, 60) +
               Text(130, 210, "L = " + SingleToText(request.length) + " " + unit) +
               Path("M250 190 V60", "stroke-dasharray=\"4 3\"") +
               "<text x=\"258\" y=\"125\" class=\"leg\">Lg = " + Figure(*figures.leg) + " " + unit +
               "</text>\n" + Text(130, 175, delta);
        if (line && line->leg) {
            svg += "<text x=\"258\" y=\"141\" class=\"given-leg\">(给定 " + Figure(*line->leg) +
                   " " + unit + ")</text>\n";
        }
        svg += "</g>\n";
    }
    // The Π loop in the middle of the run between two anchors.
    if (loop) {
        svg += std::string("<g class=\"loop\"") + (both ? "" : " transform=\"translate(-340 0)\"") +
               ">\n" + Text(490, 20, "Π 形补偿器") + Anchor(360, 190) + Anchor(620, 190) +
               Path("M360 190 H450 V70 H530 V190 H620", "stroke-width=\"3\"") +
               Path("M450 58 H530", "stroke-dasharray=\"4 3\"") +
               "<text x=\"490\" y=\"52\" text-anchor=\"middle\" class=\"width\">W = " +
               Figure(*figures.loopWidth) + " " + unit + "</text>\n" +
               Path("M542 70 V190", "stroke-dasharray=\"4 3\"") +
               "<text x=\"548\" y=\"135\" class=\"height\">H = " + Figure(*figures.loopHeight) +
               " " + unit + "</text>\n" + Text(490, 215, "两固定点之间, 补偿器居中");
        if (line && line->loopWidth && line->loopHeight) {
            svg +=
                "<text x=\"490\" y=\"232\" text-anchor=\"middle\" class=\"given-loop\">给定 W × H "
                "= " +
                Figure(*line->loopWidth) + " × " + Figure(*line->loopHeight) + " " + unit +
                "</text>\n";
        }
        svg += "</g>\n";
    }
    return svg + "</svg>\n";
}

}  // namespace velmarith::tool
