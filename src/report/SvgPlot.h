#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

namespace tovra {

// One chart of the report: data ranges mapped onto a box of the picture,
// with axes, grid and paths written as SVG into a string.
class SvgPlot {
  public:
    struct Range {
        double low = 0, high = 1;
    };
    SvgPlot(std::string& out, Range x, Range y, int width, int height);

    double px(double x) const;
    double py(double y) const;

    // Opens the <svg> element and draws the grid, ticks every `xStep` and
    // `yStep` with the labels of `xLabel` (value to text) and the axis names.
    template <typename Label>
    void open(std::string_view title, double xStep, double yStep, Label xLabel,
              std::string_view xName, std::string_view yName);
    void close();

    // A path through points, skipping those that land on the previous one's
    // spot; `moveTo` starts a new piece of the same path.
    void beginPath();
    void lineTo(double x, double y);
    void moveTo(double x, double y);
    void endPath(std::string_view cssClass);

    void rect(double x0, double x1, std::string_view cssClass);  // full height
    void text(double x, double y, std::string_view text, std::string_view cssClass);
    void circle(double x, double y, std::string_view cssClass);

    static constexpr int kLeft = 60, kRight = 20, kTop = 30, kBottom = 45;

  private:
    void point(char command, double x, double y);
    // `<tag class="cssClass"` and ` name="value"` with one decimal.
    void element(std::string_view tag, std::string_view cssClass);
    void attribute(std::string_view name, double value);
    void grid(double xStep, double yStep);

    std::string& out_;
    Range x_, y_;
    int width_, height_;
    bool pendingMove_ = true;
    long lastX_ = -1, lastY_ = -1;
};

template <typename Label>
void SvgPlot::open(std::string_view title, double xStep, double yStep, Label xLabel,
                   std::string_view xName, std::string_view yName) {
    const std::string w = std::to_string(width_), h = std::to_string(height_);
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
            "\" viewBox=\"0 0 " + w + " " + h + "\" role=\"img\">\n<title>";
    out_ += title;
    out_ += "</title>\n";
    // A range widened from nothing (a train that never moved) is ten steps
    // wide, whatever step its empty span suggested.
    xStep = std::max(xStep, (x_.high - x_.low) / 10);
    yStep = std::max(yStep, (y_.high - y_.low) / 10);
    grid(xStep, yStep);
    for (double v = std::ceil(x_.low / xStep) * xStep; v <= x_.high; v += xStep)
        text(v, y_.low, xLabel(v), "xtick");
    text((x_.low + x_.high) / 2, y_.low, xName, "xname");
    for (double v = std::ceil(y_.low / yStep) * yStep; v <= y_.high; v += yStep)
        text(x_.low, v, std::to_string(long(std::lround(v))), "ytick");
    text(x_.low, y_.high, yName, "yname");
}

}  // namespace tovra
