#pragma once

#include <span>
#include <vector>

#include "demo-gen/RgbImage.h"

namespace tovra::demo {

// Colour with straight alpha, every channel 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour rgb(int r, int g, int b, float a = 1.0f);
Colour mix(Colour from, Colour to, float t);
Colour scaled(Colour c, float factor);  // brightness, alpha kept

struct Point {
    double x = 0, y = 0;
};

// An RGBA drawing surface with anti-aliased shapes; the pictures of the demo
// set (panels, signs, title screens, sprites of the rendered view) are drawn
// on it and then flattened into RGB.
class Canvas {
  public:
    Canvas(int width, int height, Colour fill = {0, 0, 0, 0});

    int width() const { return width_; }
    int height() const { return height_; }
    const Colour& at(int x, int y) const { return pixels_[index(x, y)]; }
    Colour& at(int x, int y) { return pixels_[index(x, y)]; }

    // Source-over of `c` with its alpha times `coverage`; outside is ignored.
    void blend(int x, int y, Colour c, float coverage);
    void fill(Colour c);
    void fillRect(double x0, double y0, double x1, double y1, Colour c);
    void fillVerticalGradient(double x0, double y0, double x1, double y1, Colour top,
                              Colour bottom);
    void fillPolygon(std::span<const Point> points, Colour c);
    void fillCircle(double cx, double cy, double r, Colour c);
    void fillRing(double cx, double cy, double inner, double outer, Colour c);
    void strokeLine(Point a, Point b, double width, Colour c);
    // A band between two radii from angle `from` to `to` (degrees clockwise
    // from 12 o'clock), as gauge scales draw their coloured zones.
    void fillArcBand(double cx, double cy, double inner, double outer, double from, double to,
                     Colour c);
    // Source-over of a whole canvas with its top-left corner at (x, y).
    void draw(const Canvas& source, int x, int y);
    // Coverage mask (0..255, `maskWidth` wide) in colour `c` at (x, y).
    void drawMask(std::span<const unsigned char> mask, int maskWidth, int x, int y, Colour c);

    // Flattened over an opaque background.
    RgbImage toRgb(Colour background) const;
    // Transparent pixels become `key`; the rest are laid over `fringe` (so
    // soft edges blend into a colour that suits the picture) and nudged off
    // the key if they happen to hit it.
    RgbImage toKeyed(Colour key, Colour fringe) const;

  private:
    std::size_t index(int x, int y) const {
        return std::size_t(y) * std::size_t(width_) + std::size_t(x);
    }

    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

// Point at `radius` from the centre, `degrees` clockwise from 12 o'clock.
Point polar(double cx, double cy, double radius, double degrees);

}  // namespace tovra::demo
