#include "demo-gen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovra::demo {

namespace {

float clamp01(double v) {
    return float(std::clamp(v, 0.0, 1.0));
}

std::uint8_t toByte(float v) {
    return std::uint8_t(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

// Distance from p to the segment a-b.
double segmentDistance(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

Colour rgb(int r, int g, int b, float a) {
    return {r / 255.0f, g / 255.0f, b / 255.0f, a};
}

Colour mix(Colour from, Colour to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Colour scaled(Colour c, float factor) {
    return {c.r * factor, c.g * factor, c.b * factor, c.a};
}

Point polar(double cx, double cy, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {cx + radius * std::sin(a), cy - radius * std::cos(a)};
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(std::size_t(width) * std::size_t(height), fill) {}

void Canvas::blend(int x, int y, Colour c, float coverage) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    const float sa = c.a * std::clamp(coverage, 0.0f, 1.0f);
    if (sa <= 0) return;
    Colour& d = pixels_[index(x, y)];
    const float outA = sa + d.a * (1 - sa);
    if (outA <= 0) return;
    d.r = (c.r * sa + d.r * d.a * (1 - sa)) / outA;
    d.g = (c.g * sa + d.g * d.a * (1 - sa)) / outA;
    d.b = (c.b * sa + d.b * d.a * (1 - sa)) / outA;
    d.a = outA;
}

void Canvas::fill(Colour c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

void Canvas::fillRect(double x0, double y0, double x1, double y1, Colour c) {
    const int ix0 = std::max(0, int(std::floor(x0))), ix1 = std::min(width_, int(std::ceil(x1)));
    const int iy0 = std::max(0, int(std::floor(y0))), iy1 = std::min(height_, int(std::ceil(y1)));
    for (int y = iy0; y < iy1; ++y) {
        const float cy = clamp01(std::min(y1, y + 1.0) - std::max(y0, double(y)));
        for (int x = ix0; x < ix1; ++x) {
            const float cx = clamp01(std::min(x1, x + 1.0) - std::max(x0, double(x)));
            blend(x, y, c, cx * cy);
        }
    }
}

void Canvas::fillVerticalGradient(double x0, double y0, double x1, double y1, Colour top,
                                  Colour bottom) {
    const int iy0 = std::max(0, int(std::floor(y0))), iy1 = std::min(height_, int(std::ceil(y1)));
    for (int y = iy0; y < iy1; ++y) {
        const float t = float((y + 0.5 - y0) / std::max(1e-9, y1 - y0));
        fillRect(x0, std::max(y0, double(y)), x1, std::min(y1, y + 1.0),
                 mix(top, bottom, std::clamp(t, 0.0f, 1.0f)));
    }
}

void Canvas::fillPolygon(std::span<const Point> points, Colour c) {
    if (points.size() < 3) return;
    double minY = points[0].y, maxY = points[0].y;
    for (const Point& p : points) {
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int iy0 = std::max(0, int(std::floor(minY))),
              iy1 = std::min(height_ - 1, int(std::ceil(maxY)));
    constexpr int kSub = 4;
    std::vector<float> coverage(std::size_t(width_) + 2);
    std::vector<double> crossings;
    for (int y = iy0; y <= iy1; ++y) {
        std::fill(coverage.begin(), coverage.end(), 0.0f);
        int touchedLo = width_, touchedHi = -1;
        for (int s = 0; s < kSub; ++s) {
            const double sy = y + (s + 0.5) / kSub;
            crossings.clear();
            for (std::size_t i = 0; i < points.size(); ++i) {
                const Point a = points[i], b = points[(i + 1) % points.size()];
                if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
                    crossings.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                const double xa = std::clamp(crossings[i], 0.0, double(width_));
                const double xb = std::clamp(crossings[i + 1], 0.0, double(width_));
                if (xb <= xa) continue;
                const int ia = int(xa), ib = std::min(width_ - 1, int(xb));
                touchedLo = std::min(touchedLo, ia);
                touchedHi = std::max(touchedHi, ib);
                if (ia == ib) {
                    coverage[std::size_t(ia)] += float(xb - xa) / kSub;
                    continue;
                }
                coverage[std::size_t(ia)] += float(ia + 1 - xa) / kSub;
                for (int x = ia + 1; x < ib; ++x) coverage[std::size_t(x)] += 1.0f / kSub;
                coverage[std::size_t(ib)] += float(xb - ib) / kSub;
            }
        }
        for (int x = touchedLo; x <= touchedHi; ++x) blend(x, y, c, coverage[std::size_t(x)]);
    }
}

void Canvas::fillCircle(double cx, double cy, double r, Colour c) {
    fillRing(cx, cy, -1.0, r, c);
}

void Canvas::fillRing(double cx, double cy, double inner, double outer, Colour c) {
    const int x0 = std::max(0, int(cx - outer - 1)), x1 = std::min(width_ - 1, int(cx + outer + 1));
    const int y0 = std::max(0, int(cy - outer - 1)),
              y1 = std::min(height_ - 1, int(cy + outer + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            const double cover = std::min(outer - d + 0.5, inner < 0 ? 1.0 : d - inner + 0.5);
            if (cover > 0) blend(x, y, c, clamp01(cover));
        }
    }
}

void Canvas::strokeLine(Point a, Point b, double width, Colour c) {
    const double h = width / 2;
    const int x0 = std::max(0, int(std::min(a.x, b.x) - h - 1));
    const int x1 = std::min(width_ - 1, int(std::max(a.x, b.x) + h + 1));
    const int y0 = std::max(0, int(std::min(a.y, b.y) - h - 1));
    const int y1 = std::min(height_ - 1, int(std::max(a.y, b.y) + h + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double d = segmentDistance({x + 0.5, y + 0.5}, a, b);
            // Thin lines keep their weight as a fainter line rather than vanish.
            const double cover = width < 1 ? width * clamp01(1.0 - d) : h - d + 0.5;
            if (cover > 0) blend(x, y, c, clamp01(cover));
        }
    }
}

void Canvas::fillArcBand(double cx, double cy, double inner, double outer, double from, double to,
                         Colour c) {
    std::vector<Point> points;
    const int steps = std::max(4, int(std::abs(to - from) / 2));
    for (int i = 0; i <= steps; ++i)
        points.push_back(polar(cx, cy, outer, from + (to - from) * i / steps));
    for (int i = steps; i >= 0; --i)
        points.push_back(polar(cx, cy, inner, from + (to - from) * i / steps));
    fillPolygon(points, c);
}

void Canvas::draw(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.height(); ++sy)
        for (int sx = 0; sx < source.width(); ++sx) blend(x + sx, y + sy, source.at(sx, sy), 1.0f);
}

void Canvas::drawMask(std::span<const unsigned char> mask, int maskWidth, int x, int y, Colour c) {
    if (maskWidth <= 0) return;
    const int rows = int(mask.size()) / maskWidth;
    for (int my = 0; my < rows; ++my)
        for (int mx = 0; mx < maskWidth; ++mx) {
            const unsigned char m =
                mask[std::size_t(my) * std::size_t(maskWidth) + std::size_t(mx)];
            if (m) blend(x + mx, y + my, c, m / 255.0f);
        }
}

RgbImage Canvas::toRgb(Colour background) const {
    RgbImage out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = out.row(y);
        for (int x = 0; x < width_; ++x, p += 3) {
            const Colour& c = at(x, y);
            const Colour m = mix(background, c, c.a);
            p[0] = toByte(m.r);
            p[1] = toByte(m.g);
            p[2] = toByte(m.b);
        }
    }
    return out;
}

RgbImage Canvas::toKeyed(Colour key, Colour fringe) const {
    RgbImage out(width_, height_);
    const std::uint8_t kr = toByte(key.r), kg = toByte(key.g), kb = toByte(key.b);
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* p = out.row(y);
        for (int x = 0; x < width_; ++x, p += 3) {
            const Colour& c = at(x, y);
            if (c.a < 0.5f) {
                p[0] = kr, p[1] = kg, p[2] = kb;
                continue;
            }
            const Colour m = mix(fringe, c, std::min(1.0f, c.a * 1.25f));
            p[0] = toByte(m.r);
            p[1] = toByte(m.g);
            p[2] = toByte(m.b);
            if (p[0] == kr && p[1] == kg && p[2] == kb)
                p[1] = std::uint8_t(kg < 128 ? kg + 1 : kg - 1);
        }
    }
    return out;
}

}  // namespace tovra::demo
