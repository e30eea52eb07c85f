#include "engineering/Plot.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "runtime/CharConv.h"
#include "runtime/NumberText.h"

namespace velmarith::engineering {
namespace {

constexpr double kWidth = 640;
constexpr double kHeight = 400;
constexpr double kLeft = 80;
constexpr double kRight = 560;
constexpr double kTop = 60;
constexpr double kBottom = 330;
constexpr int kSamples = 120;  // along ΔL(T), which curves between the table points

std::string Fixed(double value) {
    std::array<char, 32> buffer{};
    const auto result = charconv::Format(buffer.data(), buffer.data() + buffer.size(), value,
                                         std::chars_format::fixed, 1);
    return std::string(buffer.data(), result.ptr);
}

std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string LineElement(std::string_view x1, std::string_view y1, std::string_view x2,
                        std::string_view y2) {
    std::string line = "<line x1=\"";
    line.append(x1).append("\" y1=\"").append(y1).append("\" x2=\"").append(x2);
    line.append("\" y2=\"").append(y2).append("\"/>\n");
    return line;
}

// An axis from low to high with ticks at a step of 1, 2 or 5 × 10^k, about six of them.
struct Axis {
    double low;
    double high;
    double step;
};

Axis NiceAxis(double low, double high) {
    if (high <= low) {
        low -= 1;
        high += 1;
    }
    const double rough = (high - low) / 6;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
        step = factor * power;
        if (step >= rough) break;
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

double Map(double value, const Axis& axis, double from, double to) {
    return from + (value - axis.low) / (axis.high - axis.low) * (to - from);
}

struct TablePoint {
    double celsius;
    double alpha;
    std::string alphaText;
};

std::vector<TablePoint> PointsOf(const Catalogue& catalogue, int material) {
    std::vector<TablePoint> points;
    if (Catalogue::IsBuiltIn(material)) {
        const auto& limits = MaterialLimitsTable[material];
        const auto& tables = catalogue.Tables();
        for (int i = limits.First; i <= limits.Last; ++i) {
            const auto& element = tables.CoefficientTable[material][static_cast<std::size_t>(i)];
            points.push_back(
                {static_cast<double>(tables.TemperatureGrid[static_cast<std::size_t>(i)]),
                 element.AsDouble(), element.ToText()});
        }
        return points;
    }
    for (const auto& point : catalogue.User(material).points) {
        points.push_back({point.temperature, point.alpha, DoubleToText(point.alpha)});
    }
    return points;
}

}  // namespace

std::string PlotSvg(const Catalogue& catalogue, const PlotRequest& request) {
    const bool us = request.units == Units::Us;
    const auto x = [&](double celsius) { return us ? CelsiusToFahrenheit(celsius) : celsius; };
    const auto points = PointsOf(catalogue, request.material);

    const Axis xAxis = NiceAxis(x(points.front().celsius), x(points.back().celsius));
    double alphaLow = points.front().alpha;
    double alphaHigh = alphaLow;
    for (const auto& point : points) {
        alphaLow = std::min(alphaLow, point.alpha);
        alphaHigh = std::max(alphaHigh, point.alpha);
    }
    const Axis yAxis = NiceAxis(alphaLow, alphaHigh);
    const auto px = [&](double celsius) { return Fixed(Map(x(celsius), xAxis, kLeft, kRight)); };
    const auto py = [&](double alpha) { return Fixed(Map(alpha, yAxis, kBottom, kTop)); };

    // ΔL(T) from the installation temperature, in mm or in.
    std::vector<std::pair<double, double>> growth;
    if (request.lengthMm) {
        const double low = points.front().celsius;
        const double high = points.back().celsius;
        for (int i = 0; i <= kSamples; ++i) {
            const double t = low + (high - low) * i / kSamples;
            const auto mm =
                GrowthMm(catalogue, request.material, *request.lengthMm, request.installCelsius, t);
            if (mm) growth.emplace_back(t, us ? *mm / kMillimetresPerInch : *mm);
        }
    }

    const std::string font = "font-family=\"WenQuanYi Zen Hei Mono, SimSun, sans-serif\"";
    std::string svg;
    svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Fixed(kWidth) + "\" height=\"" +
           Fixed(kHeight) + "\" viewBox=\"0 0 640 400\" " + font + " font-size=\"12\">\n";
    const std::string name = Escaped(catalogue.Name(request.material));
    std::string title =
        "材料 " + std::to_string(request.material) + " " + name + ": 平均线膨胀系数 α(T)";
    if (!growth.empty()) title += " 与膨胀量 ΔL(T)";
    svg += "<title>" + title + "</title>\n";
    svg += "<rect width=\"640\" height=\"400\" fill=\"white\"/>\n";
    svg +=
        "<text x=\"320\" y=\"28\" text-anchor=\"middle\" font-size=\"14\">" + title + "</text>\n";
    svg += "<g stroke=\"black\" fill=\"none\"><rect x=\"" + Fixed(kLeft) + "\" y=\"" + Fixed(kTop) +
           "\" width=\"" + Fixed(kRight - kLeft) + "\" height=\"" + Fixed(kBottom - kTop) +
           "\"/></g>\n";

    // Ticks and their labels.
    svg += "<g class=\"ticks\" stroke=\"black\">\n";
    std::string labels;
    for (double v = xAxis.low; v <= xAxis.high + xAxis.step / 2; v += xAxis.step) {
        const std::string at = Fixed(Map(v, xAxis, kLeft, kRight));
        svg += LineElement(at, "330.0", at, "335.0");
        labels += "<text x=\"" + at + "\" y=\"348\" text-anchor=\"middle\">" +
                  DoubleToShortText(v) + "</text>\n";
    }
    for (double v = yAxis.low; v <= yAxis.high + yAxis.step / 2; v += yAxis.step) {
        const std::string at = Fixed(Map(v, yAxis, kBottom, kTop));
        svg += LineElement("75.0", at, "80.0", at);
        labels += "<text x=\"72\" y=\"" + at + "\" dy=\"4\" text-anchor=\"end\">" +
                  DoubleToShortText(v) + "</text>\n";
    }
    svg += "</g>\n" + labels;
    svg += std::string("<text x=\"320\" y=\"370\" text-anchor=\"middle\">温度 (") +
           (us ? "°F" : "摄氏度") + ")</text>\n";
    svg +=
        "<text x=\"20\" y=\"195\" text-anchor=\"middle\" transform=\"rotate(-90 20 195)\">"
        "α (10^-6/摄氏度, 自参考温度起的平均值)</text>\n";

    // α(T): straight between the table points, exactly as the lookup interpolates.
    svg +=
        "<polyline class=\"alpha\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\" points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        svg += (i > 0 ? " " : "") + px(points[i].celsius) + "," + py(points[i].alpha);
    }
    svg += "\"/>\n";
    for (const auto& point : points) {
        svg += "<circle class=\"point\" data-t=\"" + DoubleToText(point.celsius) +
               "\" data-alpha=\"" + point.alphaText + "\" cx=\"" + px(point.celsius) + "\" cy=\"" +
               py(point.alpha) + "\" r=\"3\" fill=\"white\" stroke=\"black\"/>\n";
    }

    if (!growth.empty()) {
        double low = growth.front().second;
        double high = low;
        for (const auto& [t, v] : growth) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
        const Axis dAxis = NiceAxis(low, high);
        svg += "<g class=\"ticks\" stroke=\"black\">\n";
        std::string right;
        for (double v = dAxis.low; v <= dAxis.high + dAxis.step / 2; v += dAxis.step) {
            const std::string at = Fixed(Map(v, dAxis, kBottom, kTop));
            svg += LineElement("560.0", at, "565.0", at);
            right +=
                "<text x=\"568\" y=\"" + at + "\" dy=\"4\">" + DoubleToShortText(v) + "</text>\n";
        }
        svg += "</g>\n" + right;
        svg += std::string(
                   "<text x=\"625\" y=\"195\" text-anchor=\"middle\" "
                   "transform=\"rotate(90 625 195)\">ΔL (") +
               (us ? "in" : "mm") + ", 自安装温度起)</text>\n";
        svg +=
            "<polyline class=\"expansion\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\" "
            "stroke-dasharray=\"6 4\" points=\"";
        for (std::size_t i = 0; i < growth.size(); ++i) {
            svg += (i > 0 ? " " : "") + px(growth[i].first) + "," +
                   Fixed(Map(growth[i].second, dAxis, kBottom, kTop));
        }
        svg += "\"/>\n";
    }

    if (request.temperature) {
        if (const auto hit = catalogue.Lookup(request.material, *request.temperature)) {
            svg += "<circle class=\"current\" data-t=\"" + DoubleToText(*request.temperature) +
                   "\" data-alpha=\"" + hit->valueText + "\" cx=\"" + px(*request.temperature) +
                   "\" cy=\"" + py(hit->coefficient) + "\" r=\"5\" fill=\"black\"/>\n";
            svg += "<text x=\"" + px(*request.temperature) + "\" y=\"" + py(hit->coefficient) +
                   "\" dx=\"8\" dy=\"-8\">" + DoubleToShortText(x(*request.temperature)) +
                   (us ? "°F" : "摄氏度") + ": α = " + hit->valueText + "</text>\n";
        }
    }

    // The legend, in line styles rather than colours.
    svg +=
        "<g class=\"legend\"><line x1=\"90\" y1=\"46\" x2=\"120\" y2=\"46\" stroke=\"black\" "
        "stroke-width=\"1.5\"/><text x=\"125\" y=\"50\">α(T), 圆圈为表点</text>";
    if (!growth.empty()) {
        svg +=
            "<line x1=\"300\" y1=\"46\" x2=\"330\" y2=\"46\" stroke=\"black\" stroke-width=\"1.5\" "
            "stroke-dasharray=\"6 4\"/><text x=\"335\" y=\"50\">ΔL(T), 右侧坐标</text>";
    }
    svg += "</g>\n</svg>\n";
    return svg;
}

}  // namespace velmarith::engineering
