#include "app/shared/PlotSvg.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <vector>

#include "calc/Expansion.h"
#include "engineering/Report.h"
#include "runtime/CharConv.h"
#include "runtime/NumberText.h"

namespace velmarith::tool {

using namespace engineering;

namespace {

// The picture's frame, in SVG units; the plot area is kLeft … kRight by kTop … kBottom.
constexpr double kWidth = 640;
constexpr double kHeight = 400;
constexpr double kLeft = 80;
constexpr double kRight = 560;
constexpr double kTop = 60;
constexpr double kBottom = 330;
constexpr double kTick = 5;
constexpr double kFontSize = 12;
constexpr int kSamples = 120;  // along ΔL(T), which curves between the table points

std::string Fixed(double value) {
    // A picture has thousands of coordinates: tenths counted in integers, which give what
    // the exact formatting gives wherever the value is not within a hair of a half tenth.
    const double scaled = std::fabs(value) * 10;
    const double below = std::floor(scaled);
    const double rest = scaled - below;
    if (scaled < 1e15 && std::fabs(rest - 0.5) > 1e-6) {
        const auto tenths = static_cast<long long>(rest > 0.5 ? below + 1 : below);
        std::array<char, 24> buffer{};
        char* end = buffer.data();
        if (std::signbit(value)) *end++ = '-';
        end = std::to_chars(end, buffer.data() + buffer.size() - 2, tenths / 10).ptr;
        *end++ = '.';
        *end++ = static_cast<char>('0' + tenths % 10);
        return std::string(buffer.data(), end);
    }
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

// A material's table points that hold data, as the lookup reads them.
struct PlotPoint {
    double celsius;
    double alpha;
    std::string alphaText;
};

std::vector<PlotPoint> PointsOf(const Catalogue& catalogue, int material) {
    std::vector<PlotPoint> points;
    const CoefficientTableView table = TableOf(catalogue, material);
    for (const auto& point : table.rows.front().points) {
        if (point.value) points.push_back({point.temperature, *point.value, point.text});
    }
    return points;
}

using Polyline = std::vector<std::pair<double, double>>;  // in SVG units

// The width of a label in the picture's font: full-width characters are twice as wide.
double TextWidth(std::string_view text) {
    double width = 0;
    for (const char byte : text) {
        const auto c = static_cast<unsigned char>(byte);
        if ((c & 0xC0) == 0x80) continue;
        width += c >= 0xE0 ? kFontSize : kFontSize / 2;
    }
    return width;
}

// Writes the picture part by part.
class PlotWriter {
  public:
    PlotWriter(const Catalogue& catalogue, const PlotRequest& request)
        : catalogue_(catalogue),
          request_(request),
          us_(request.units == Units::Us),
          points_(PointsOf(catalogue, request.material)) {
        xAxis_ = NiceAxis(X(points_.front().celsius), X(points_.back().celsius));
        double low = points_.front().alpha;
        double high = low;
        for (const auto& point : points_) {
            low = std::min(low, point.alpha);
            high = std::max(high, point.alpha);
        }
        yAxis_ = NiceAxis(low, high);
        SampleGrowth();
    }

    std::string Svg() {
        Frame();
        Ticks();
        AlphaCurve();
        GrowthCurve();
        CurrentPoint();
        Legend();
        svg_ += "</svg>\n";
        return std::move(svg_);
    }

  private:
    double X(double celsius) const { return us_ ? CelsiusToFahrenheit(celsius) : celsius; }
    double Px(double celsius) const { return Map(X(celsius), xAxis_, kLeft, kRight); }
    double Py(double alpha) const { return Map(alpha, yAxis_, kBottom, kTop); }
    double Pd(double growth) const { return Map(growth, dAxis_, kBottom, kTop); }
    std::string TemperatureUnit() const { return us_ ? "°F" : "摄氏度"; }

    // ΔL(T) from the installation temperature, in mm or in.
    void SampleGrowth() {
        if (!request_.lengthMm) return;
        const double low = points_.front().celsius;
        const double high = points_.back().celsius;
        const int material = request_.material;
        const double reference = catalogue_.Reference(material);
        // None outside the range, but at the reference temperature itself the term is zero.
        const auto state = [&](double celsius) -> std::optional<GrowthState> {
            if (const auto coefficient = catalogue_.CoefficientAt(material, celsius)) {
                return GrowthState{*coefficient, celsius};
            }
            if (celsius == reference) return GrowthState{0.0f, celsius};
            return std::nullopt;
        };
        const auto from = state(request_.installCelsius);
        for (int i = 0; i <= kSamples; ++i) {
            const double t = low + (high - low) * i / kSamples;
            const auto to = state(t);
            if (!from || !to) continue;
            const double mm = ScaledGrowth(*request_.lengthMm, *to, reference, from) / 1'000'000.0;
            growth_.emplace_back(t, us_ ? mm / kMillimetresPerInch : mm);
        }
        if (growth_.empty()) return;
        double low_ = growth_.front().second;
        double high_ = low_;
        for (const auto& [t, v] : growth_) {
            low_ = std::min(low_, v);
            high_ = std::max(high_, v);
        }
        dAxis_ = NiceAxis(low_, high_);
    }

    void Frame() {
        const std::string font = "font-family=\"WenQuanYi Zen Hei Mono, SimSun, sans-serif\"";
        svg_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        svg_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Fixed(kWidth) +
                "\" height=\"" + Fixed(kHeight) + "\" viewBox=\"0 0 " + Whole(kWidth) + " " +
                Whole(kHeight) + "\" " + font + " font-size=\"" + Whole(kFontSize) + "\">\n";
        const std::string name = Escaped(catalogue_.Name(request_.material));
        std::string title =
            "材料 " + std::to_string(request_.material) + " " + name + ": 平均线膨胀系数 α(T)";
        if (!growth_.empty()) title += " 与膨胀量 ΔL(T)";
        svg_ += "<title>" + title + "</title>\n";
        svg_ += "<rect width=\"" + Whole(kWidth) + "\" height=\"" + Whole(kHeight) +
                "\" fill=\"white\"/>\n";
        svg_ += "<text x=\"" + Whole(kWidth / 2) +
                "\" y=\"28\" text-anchor=\"middle\" font-size=\"14\">" + title + "</text>\n";
        svg_ += "<g stroke=\"black\" fill=\"none\"><rect x=\"" + Fixed(kLeft) + "\" y=\"" +
                Fixed(kTop) + "\" width=\"" + Fixed(kRight - kLeft) + "\" height=\"" +
                Fixed(kBottom - kTop) + "\"/></g>\n";
    }

    // Ticks and their labels below and left of the plot area.
    void Ticks() {
        svg_ += "<g class=\"ticks\" stroke=\"black\">\n";
        std::string labels;
        for (double v = xAxis_.low; v <= xAxis_.high + xAxis_.step / 2; v += xAxis_.step) {
            const std::string at = Fixed(Map(v, xAxis_, kLeft, kRight));
            svg_ += LineElement(at, Fixed(kBottom), at, Fixed(kBottom + kTick));
            labels += "<text x=\"" + at + "\" y=\"" + Whole(kBottom + 18) +
                      "\" text-anchor=\"middle\">" + DoubleToShortText(v) + "</text>\n";
        }
        for (double v = yAxis_.low; v <= yAxis_.high + yAxis_.step / 2; v += yAxis_.step) {
            const std::string at = Fixed(Py(v));
            svg_ += LineElement(Fixed(kLeft - kTick), at, Fixed(kLeft), at);
            labels += "<text x=\"" + Whole(kLeft - 8) + "\" y=\"" + at +
                      "\" dy=\"4\" text-anchor=\"end\">" + DoubleToShortText(v) + "</text>\n";
        }
        svg_ += "</g>\n" + labels;
        const double middle = (kTop + kBottom) / 2;
        svg_ += "<text x=\"" + Whole((kLeft + kRight) / 2) + "\" y=\"" + Whole(kBottom + 40) +
                "\" text-anchor=\"middle\">温度 (" + TemperatureUnit() + ")</text>\n";
        svg_ += "<text x=\"20\" y=\"" + Whole(middle) +
                "\" text-anchor=\"middle\" transform=\"rotate(-90 20 " + Whole(middle) +
                ")\">α (10^-6/摄氏度, 自参考温度起的平均值)</text>\n";
    }

    void AppendPolyline(std::string_view name, std::string_view style, const Polyline& line) {
        svg_.append("<polyline class=\"").append(name);
        svg_.append("\" fill=\"none\" stroke=\"black\" stroke-width=\"1.5\"").append(style);
        svg_ += " points=\"";
        for (std::size_t i = 0; i < line.size(); ++i) {
            svg_ += (i > 0 ? " " : "") + Fixed(line[i].first) + "," + Fixed(line[i].second);
        }
        svg_ += "\"/>\n";
    }

    // α(T): straight between the table points, exactly as the lookup interpolates.
    void AlphaCurve() {
        for (const auto& point : points_) {
            alphaLine_.emplace_back(Px(point.celsius), Py(point.alpha));
        }
        AppendPolyline("alpha", "", alphaLine_);
        for (const auto& point : points_) {
            svg_ += "<circle class=\"point\" data-t=\"" + DoubleToText(point.celsius) +
                    "\" data-alpha=\"" + point.alphaText + "\" cx=\"" + Fixed(Px(point.celsius)) +
                    "\" cy=\"" + Fixed(Py(point.alpha)) +
                    "\" r=\"3\" fill=\"white\" stroke=\"black\"/>\n";
        }
    }

    // ΔL(T) dashed, on its own axis at the right.
    void GrowthCurve() {
        if (growth_.empty()) return;
        svg_ += "<g class=\"ticks\" stroke=\"black\">\n";
        std::string right;
        for (double v = dAxis_.low; v <= dAxis_.high + dAxis_.step / 2; v += dAxis_.step) {
            const std::string at = Fixed(Pd(v));
            svg_ += LineElement(Fixed(kRight), at, Fixed(kRight + kTick), at);
            right += "<text x=\"" + Whole(kRight + 8) + "\" y=\"" + at + "\" dy=\"4\">" +
                     DoubleToShortText(v) + "</text>\n";
        }
        svg_ += "</g>\n" + right;
        const std::string middle = Whole((kTop + kBottom) / 2);
        svg_ += "<text x=\"625\" y=\"" + middle +
                "\" text-anchor=\"middle\" transform=\"rotate(90 625 " + middle + ")\">ΔL (" +
                (us_ ? "in" : "mm") + ", 自安装温度起)</text>\n";
        for (const auto& [celsius, growth] : growth_) {
            growthLine_.emplace_back(Px(celsius), Pd(growth));
        }
        AppendPolyline("expansion", " stroke-dasharray=\"6 4\"", growthLine_);
    }

    struct Place {
        double x0, y0;  // a label's top left
    };

    // Where a label of this width goes: the free place nearest the point, inside the plot area,
    // clear of the point itself and of both curves; the nearest place inside the area when no
    // place is free.
    Place LabelPlace(double cx, double cy, double width) const {
        constexpr double kMargin = 2;
        constexpr double kClear = 7;  // from the point's centre: its dot has a radius of 5
        // Where the curves run, in cells of 4 × 4 units over the plot area, counted so that
        // any box's cells are summed at once (a summed-area table).
        constexpr double kCell = 4;
        const int columns = static_cast<int>((kRight - kLeft) / kCell) + 1;
        const int rows = static_cast<int>((kBottom - kTop) / kCell) + 1;
        std::vector<int> sums(static_cast<std::size_t>((columns + 1) * (rows + 1)), 0);
        const auto at = [&](int column, int row) -> int& {
            return sums[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns + 1) +
                        static_cast<std::size_t>(column)];
        };
        std::vector<const Polyline*> lines = {&alphaLine_, &growthLine_};
        for (const Polyline& box : taken_) lines.push_back(&box);
        for (const Polyline* line : lines) {
            for (std::size_t i = 0; i + 1 < line->size(); ++i) {
                const auto [x0, y0] = (*line)[i];
                const auto [x1, y1] = (*line)[i + 1];
                const int steps = 1 + static_cast<int>(std::hypot(x1 - x0, y1 - y0) / kCell);
                for (int k = 0; k <= steps; ++k) {
                    const int column =
                        static_cast<int>((x0 + (x1 - x0) * k / steps - kLeft) / kCell);
                    const int row = static_cast<int>((y0 + (y1 - y0) * k / steps - kTop) / kCell);
                    if (column >= 0 && column < columns && row >= 0 && row < rows) {
                        at(column + 1, row + 1) = 1;
                    }
                }
            }
        }
        for (int row = 1; row <= rows; ++row) {
            for (int column = 1; column <= columns; ++column) {
                at(column, row) +=
                    at(column - 1, row) + at(column, row - 1) - at(column - 1, row - 1);
            }
        }
        // Whether any curve runs through a box, widened by the margin.
        const auto crossed = [&](const Place& p) {
            const auto cell = [&](double value, double origin, int count) {
                return std::clamp(static_cast<int>((value - origin) / kCell), 0, count - 1);
            };
            const int c0 = cell(p.x0 - kMargin, kLeft, columns);
            const int c1 = cell(p.x0 + width + kMargin, kLeft, columns) + 1;
            const int r0 = cell(p.y0 - kMargin, kTop, rows);
            const int r1 = cell(p.y0 + kFontSize + kMargin, kTop, rows) + 1;
            return at(c1, r1) - at(c0, r1) - at(c1, r0) + at(c0, r0) > 0;
        };
        // The nearest free place, the first of equals in reading order; failing that, the
        // nearest place.
        std::optional<Place> nearestFree;
        std::optional<Place> nearest;
        double freeDistance = 0;
        double anyDistance = 0;
        for (double y0 = kTop + kMargin; y0 + kFontSize <= kBottom - kMargin; y0 += 4) {
            for (double x0 = kLeft + kMargin; x0 + width <= kRight - kMargin; x0 += 4) {
                const double dx = std::max({x0 - cx, 0.0, cx - (x0 + width)});
                const double dy = std::max({y0 - cy, 0.0, cy - (y0 + kFontSize)});
                const double distance = dx * dx + dy * dy;  // squared: only compared
                if (distance < kClear * kClear) continue;
                const Place place{x0, y0};
                if (!nearest || distance < anyDistance) {
                    nearest = place;
                    anyDistance = distance;
                }
                if ((!nearestFree || distance < freeDistance) && !crossed(place)) {
                    nearestFree = place;
                    freeDistance = distance;
                }
            }
        }
        if (nearestFree) return *nearestFree;
        return nearest.value_or(Place{kLeft + kMargin, kTop + kMargin});
    }

    // The requested point, filled, and its label where it is free.
    void CurrentPoint() {
        if (!request_.temperature) return;
        const auto hit = catalogue_.Lookup(request_.material, *request_.temperature);
        if (!hit) return;
        const double cx = Px(*request_.temperature);
        const double cy = Py(hit->coefficient);
        svg_ += "<circle class=\"current\" data-t=\"" + DoubleToText(*request_.temperature) +
                "\" data-alpha=\"" + hit->valueText + "\" cx=\"" + Fixed(cx) + "\" cy=\"" +
                Fixed(cy) + "\" r=\"5\" fill=\"black\"/>\n";
        const std::string text = DoubleToShortText(X(*request_.temperature)) + TemperatureUnit() +
                                 ": α = " + hit->valueText;
        const Place place = LabelPlace(cx, cy, TextWidth(text));
        // The text's baseline is 2 px above the bottom of its box.
        svg_ += "<text class=\"current-label\" x=\"" + Fixed(place.x0) + "\" y=\"" +
                Fixed(place.y0 + kFontSize - 2) + "\">" + text + "</text>\n";
        Take(cx - 6, cy - 6, 12, 12);
        Take(place.x0, place.y0, TextWidth(text), kFontSize);
        // The other states' points, each labelled clear of the curves and of what is placed.
        if (request_.lengthMm && request_.installCelsius != *request_.temperature) {
            StatePoint(request_.installCelsius, "install", "安装");
        }
        if (request_.coldCelsius) StatePoint(*request_.coldCelsius, "cold", "冷态");
    }

    void StatePoint(double celsius, const char* kind, const char* name) {
        const auto hit = catalogue_.Lookup(request_.material, celsius);
        if (!hit) return;
        const double cx = Px(celsius);
        const double cy = Py(hit->coefficient);
        const std::string data = "class=\"" + std::string(kind) + "\" data-t=\"" +
                                 DoubleToText(celsius) + "\" data-alpha=\"" + hit->valueText + "\"";
        if (std::string_view(kind) == "install") {
            svg_ += "<rect " + data + " x=\"" + Fixed(cx - 4) + "\" y=\"" + Fixed(cy - 4) +
                    "\" width=\"8\" height=\"8\" fill=\"white\" stroke=\"black\" "
                    "stroke-width=\"1.5\"/>\n";
        } else {
            svg_ += "<path " + data + " d=\"M" + Fixed(cx) + " " + Fixed(cy - 6) + "L" +
                    Fixed(cx + 6) + " " + Fixed(cy) + "L" + Fixed(cx) + " " + Fixed(cy + 6) + "L" +
                    Fixed(cx - 6) + " " + Fixed(cy) + "Z\" fill=\"black\"/>\n";
        }
        Take(cx - 6, cy - 6, 12, 12);
        const std::string text = std::string(name) + " " + DoubleToShortText(X(celsius)) +
                                 TemperatureUnit() + ": α = " + hit->valueText;
        const Place place = LabelPlace(cx, cy, TextWidth(text));
        svg_ += "<text class=\"" + std::string(kind) + "-label\" x=\"" + Fixed(place.x0) +
                "\" y=\"" + Fixed(place.y0 + kFontSize - 2) + "\">" + text + "</text>\n";
        Take(place.x0, place.y0, TextWidth(text), kFontSize);
    }

    // A box later labels keep clear of: its outline, as the curves are kept clear of.
    void Take(double x0, double y0, double width, double height) {
        taken_.push_back(
            {{x0, y0}, {x0 + width, y0}, {x0 + width, y0 + height}, {x0, y0 + height}, {x0, y0}});
    }

    // The legend, in line styles rather than colours.
    void Legend() {
        svg_ +=
            "<g class=\"legend\"><line x1=\"90\" y1=\"46\" x2=\"120\" y2=\"46\" stroke=\"black\" "
            "stroke-width=\"1.5\"/><text x=\"125\" y=\"50\">α(T), 圆圈为表点</text>";
        if (!growth_.empty()) {
            svg_ +=
                "<line x1=\"300\" y1=\"46\" x2=\"330\" y2=\"46\" stroke=\"black\" "
                "stroke-width=\"1.5\" stroke-dasharray=\"6 4\"/><text x=\"335\" "
                "y=\"50\">ΔL(T), 右侧坐标</text>";
        }
        svg_ += "</g>\n";
    }

    static std::string Whole(double value) { return std::to_string(static_cast<int>(value)); }

    const Catalogue& catalogue_;
    const PlotRequest& request_;
    bool us_;
    std::vector<PlotPoint> points_;
    Axis xAxis_{};
    Axis yAxis_{};
    Axis dAxis_{};
    std::vector<std::pair<double, double>> growth_;  // (°C, ΔL)
    Polyline alphaLine_;
    Polyline growthLine_;
    std::vector<Polyline> taken_;  // the placed points and labels
    std::string svg_;
};

}  // namespace

std::string PlotSvg(const Catalogue& catalogue, const PlotRequest& request) {
    return PlotWriter(catalogue, request).Svg();
}

}  // namespace velmarith::tool
