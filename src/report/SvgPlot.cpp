#include "report/SvgPlot.h"

#include <cmath>

#include "report/ReportText.h"

namespace tovra {

SvgPlot::SvgPlot(std::string& out, Range x, Range y, int width, int height)
    : out_(out), x_(x), y_(y), width_(width), height_(height) {
    if (!(x_.high > x_.low)) x_.high = x_.low + 1;
    if (!(y_.high > y_.low)) y_.high = y_.low + 1;
}

double SvgPlot::px(double x) const {
    return kLeft + (x - x_.low) / (x_.high - x_.low) * (width_ - kLeft - kRight);
}

double SvgPlot::py(double y) const {
    return height_ - kBottom - (y - y_.low) / (y_.high - y_.low) * (height_ - kTop - kBottom);
}

void SvgPlot::grid(double xStep, double yStep) {
    beginPath();
    for (double v = std::ceil(x_.low / xStep) * xStep; v <= x_.high; v += xStep) {
        moveTo(v, y_.low);
        lineTo(v, y_.high);
    }
    for (double v = std::ceil(y_.low / yStep) * yStep; v <= y_.high; v += yStep) {
        moveTo(x_.low, v);
        lineTo(x_.high, v);
    }
    endPath("grid");
    out_ += "<rect class=\"frame\" x=\"" + std::to_string(kLeft) + "\" y=\"" +
            std::to_string(kTop) + "\" width=\"" + std::to_string(width_ - kLeft - kRight) +
            "\" height=\"" + std::to_string(height_ - kTop - kBottom) + "\"/>\n";
}

void SvgPlot::close() {
    out_ += "</svg>\n";
}

void SvgPlot::beginPath() {
    out_ += "<path d=\"";
    pendingMove_ = true;
}

void SvgPlot::point(char command, double x, double y) {
    // Tenths of a pixel: finer steps cannot be seen.
    const long tx = std::lround(px(x) * 10), ty = std::lround(py(y) * 10);
    if (command == 'L' && tx == lastX_ && ty == lastY_) return;
    out_ += command;
    appendFixed(out_, tx / 10.0, 1);
    out_ += ' ';
    appendFixed(out_, ty / 10.0, 1);
    lastX_ = tx;
    lastY_ = ty;
}

void SvgPlot::lineTo(double x, double y) {
    point(pendingMove_ ? 'M' : 'L', x, y);
    pendingMove_ = false;
}

void SvgPlot::moveTo(double x, double y) {
    pendingMove_ = true;
    lastX_ = lastY_ = -1;
    lineTo(x, y);
}

void SvgPlot::endPath(std::string_view cssClass) {
    out_ += "\" class=\"";
    out_ += cssClass;
    out_ += "\"/>\n";
}

void SvgPlot::element(std::string_view tag, std::string_view cssClass) {
    out_ += '<';
    out_ += tag;
    out_ += " class=\"";
    out_ += cssClass;
    out_ += '"';
}

void SvgPlot::attribute(std::string_view name, double value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    appendFixed(out_, value, 1);
    out_ += '"';
}

void SvgPlot::rect(double x0, double x1, std::string_view cssClass) {
    element("rect", cssClass);
    attribute("x", px(x0));
    out_ += " y=\"" + std::to_string(kTop) + '"';
    attribute("width", std::max(1.0, px(x1) - px(x0)));
    out_ += " height=\"" + std::to_string(height_ - kTop - kBottom) + "\"/>\n";
}

void SvgPlot::text(double x, double y, std::string_view text, std::string_view cssClass) {
    element("text", cssClass);
    attribute("x", px(x));
    attribute("y", py(y));
    out_ += '>';
    appendEscaped(out_, text);
    out_ += "</text>\n";
}

void SvgPlot::circle(double x, double y, std::string_view cssClass) {
    element("circle", cssClass);
    out_ += " r=\"4\"";
    attribute("cx", px(x));
    attribute("cy", py(y));
    out_ += "/>\n";
}

}  // namespace tovra
