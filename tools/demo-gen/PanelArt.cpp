#include "demo-gen/PanelArt.h"

#include <cmath>
#include <cstdio>

#include "demo-gen/DataText.h"
#include "demo-gen/ImageFiles.h"
#include "demo-gen/PatternStrip.h"
#include "demo-gen/TextPainter.h"

namespace tovra::demo {

namespace {

const int kPanelHeight = kSurfaceHeight - kPanelTop;

struct Painter {
    const VehicleDesign& v;
    const PanelLayout& p;
    const PanelStyle& s = v.panel;

    Colour ink() const { return s.darkFaces ? rgb(236, 236, 230) : s.ink; }

    // A round dial: face, ticks every `minor`, labels every `major`.
    // Labels show the value over `divisor`, with one decimal when it has one.
    void dial(Canvas& c, const NeedlePart& n, double radius, double minor, double major,
              const std::string& label, double divisor = 1, double redFrom = 1e9) const {
        const double cx = n.cx, cy = n.cy - kPanelTop;
        c.fillCircle(cx, cy, radius + 5, s.bodyDark);
        c.fillRing(cx, cy, radius + 2, radius + 5, rgb(150, 150, 150));
        c.fillCircle(cx, cy, radius + 2, s.face);
        // As the program turns the needle: the start angle is the angle of 0.
        const auto angleOf = [&](double value) { return n.startAngle + value * n.rate; };
        if (redFrom < n.maxValue)
            c.fillArcBand(cx, cy, radius * 0.78, radius * 0.9, angleOf(redFrom),
                          angleOf(n.maxValue), rgb(210, 40, 30));
        for (double value = n.minValue; value <= n.maxValue + 1e-9; value += minor) {
            const bool big = std::fmod(std::abs(value - n.minValue) + 1e-9, major) < 1e-6;
            const double a = angleOf(value);
            c.strokeLine(polar(cx, cy, radius * (big ? 0.78 : 0.85), a),
                         polar(cx, cy, radius * 0.93, a), big ? 2.2 : 1.0, ink());
            if (big) {
                const Point at = polar(cx, cy, radius * 0.62, a);
                const double size = radius > 80 ? 15 : 10;
                char text[16];
                const double shown = value / divisor;
                std::snprintf(text, sizeof text,
                              std::abs(shown - std::round(shown)) > 1e-6 ? "%.1f" : "%.0f", shown);
                drawText(c, text, at.x, at.y - size * 0.6, size, ink(), Align::Centre);
            }
        }
        // The name and the unit sit in the gap at the bottom of the scale.
        const auto space = label.find(' ');
        const std::string name = label.substr(0, space),
                          unit = space == std::string::npos ? "" : label.substr(space + 1);
        const double size = radius > 80 ? 14 : 9;
        drawText(c, name, cx, cy + radius * 0.3, size, ink(), Align::Centre, true);
        if (!unit.empty())
            drawText(c, unit, cx, cy + radius * 0.3 + size * 1.2, size * 0.85, ink(),
                     Align::Centre);
        c.fillCircle(cx, cy, radius * 0.08, rgb(60, 60, 60));
    }

    void recess(Canvas& c, const Rect& r) const {
        const double y = r.y - kPanelTop;
        c.fillRect(r.x - 2, y - 2, r.x + r.w + 2, y + r.h + 2, s.bodyDark);
        c.fillRect(r.x, y, r.x + r.w, y + r.h, rgb(16, 16, 18));
    }

    void lampSocket(Canvas& c, const LampPart& l) const {
        recess(c, l.rect);
        const double size = fitText(l.label, l.rect.h - 8, l.rect.w - 4, true);
        drawText(c, l.label, l.rect.x + l.rect.w / 2.0,
                 l.rect.y - kPanelTop + (l.rect.h - size * 1.25) / 2, size, rgb(90, 90, 90),
                 Align::Centre, true);
    }

    Canvas panel() const {
        Canvas c(kSurfaceWidth, kPanelHeight);
        c.fillVerticalGradient(0, 0, kSurfaceWidth, kPanelHeight, s.body, s.bodyDark);
        c.fillRect(0, 0, kSurfaceWidth, 4, rgb(20, 20, 22));
        c.fillRect(0, 4, kSurfaceWidth, 6, s.accent);
        dial(c, p.speed, 108, 5, 20, "km/h", 1, v.maxSpeed);
        dial(c, p.mr, 52, 50, 200, "MR・BC ×100kPa", 100, 900);
        dial(c, p.er, 52, 50, 200, "ER・BP ×100kPa", 100);
        dial(c, p.sap, 52, 25, 100, "SAP ×100kPa", 100);
        dial(c, p.volt, 52, 100, 500, "架線 kV", 1000, 1900);
        dial(c, p.amp, 52, 100, 500, v.engineType == 0 ? "充電 ×100A" : "電流 ×100A", 100);
        const double clockX = p.clockX + 25, clockY = p.clockY + 25 - kPanelTop;
        c.fillCircle(clockX, clockY, 29, s.bodyDark);
        c.fillCircle(clockX, clockY, 26, rgb(250, 250, 246));
        for (int h = 0; h < 12; ++h)
            c.strokeLine(polar(clockX, clockY, h % 3 ? 22 : 19, h * 30),
                         polar(clockX, clockY, 25, h * 30), h % 3 ? 1 : 2, rgb(30, 30, 30));
        for (const BarPart* b : {&p.bcBar, &p.mrBar}) {
            recess(c, b->window);
            for (int k = 0; k <= 10; ++k) {
                const double y = b->window.y - kPanelTop + b->window.h * k / 10.0;
                c.strokeLine({double(b->window.x + b->window.w + 2), y},
                             {double(b->window.x + b->window.w + (k % 5 ? 5 : 8)), y}, 1, ink());
            }
            drawText(c, b == &p.bcBar ? "BC" : "MR", b->window.x + b->window.w / 2.0,
                     b->window.y + b->window.h - kPanelTop + 4, 11, ink(), Align::Centre, true);
        }
        for (const auto& l : p.lamps) lampSocket(c, l);
        for (const auto& l : p.others) lampSocket(c, l);
        for (const PatternPart* part : {&p.digiSpeed, &p.notchP, &p.notchB, &p.notchP2, &p.notchB2,
                                        &p.gear, &p.gearLever, &p.cabSignal})
            recess(c, part->rect);
        drawText(c, v.title, 245, 8, 12, ink(), Align::Left, true);
        return c;
    }

    // The same panel with clear windows where the parts below it show.
    Canvas panel2(const Canvas& base) const {
        Canvas c = base;
        const auto clear = [&](const Rect& r) {
            for (int y = r.y - kPanelTop; y < r.y - kPanelTop + r.h; ++y)
                for (int x = r.x; x < r.x + r.w; ++x)
                    if (x >= 0 && y >= 0 && x < c.width() && y < c.height())
                        c.at(x, y) = {0, 0, 0, 0};
        };
        for (const auto& l : p.lamps)
            if (l.underPanel2) clear(l.rect);
        for (const auto& l : p.others) clear(l.rect);
        clear(p.bcBar.window);
        clear(p.mrBar.window);
        for (const PatternPart* part : {&p.digiSpeed, &p.notchP, &p.notchB, &p.notchP2, &p.notchB2,
                                        &p.gear, &p.gearLever, &p.cabSignal})
            clear(part->rect);
        return c;
    }

    Canvas lamp(const LampPart& l) const {
        Canvas c(l.rect.w, l.rect.h);
        c.fillRect(1, 1, l.rect.w - 1, l.rect.h - 1, l.lit);
        c.fillRect(3, 3, l.rect.w - 3, l.rect.h / 2.0, mix(l.lit, rgb(255, 255, 255), 0.35f));
        const double size = fitText(l.label, l.rect.h - 8, l.rect.w - 4, true);
        drawText(c, l.label, l.rect.w / 2.0, (l.rect.h - size * 1.25) / 2, size, rgb(20, 20, 20),
                 Align::Centre, true);
        return c;
    }

    Canvas needle(const NeedlePart& n) const {
        const int size = n.imageSize();
        const double c0 = size / 2.0, r = n.radius;
        Canvas c(size, size);
        c.fillPolygon(std::vector<Point>{{c0 - 3, c0 + r * 0.18},
                                         {c0 + 3, c0 + r * 0.18},
                                         {c0 + 0.9, c0 - r},
                                         {c0 - 0.9, c0 - r}},
                      n.colour);
        c.fillCircle(c0, c0, std::max(4.0, r * 0.09), rgb(40, 40, 40));
        return c;
    }

    Canvas bar(const BarPart& b) const {
        Canvas c(b.window.w, 2 * b.window.h + 20);
        c.fillVerticalGradient(0, 0, b.window.w, c.height(),
                               mix(b.colour, rgb(255, 255, 255), 0.3f), b.colour);
        return c;
    }

    // 7-segment digits of the speed, leading blanks, unlit segments faint.
    void digits(Canvas& c, int value) const {
        static const int segments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                         0x6D, 0x7D, 0x07, 0x7F, 0x6F};
        const Colour on = rgb(255, 150, 30), off = rgb(50, 30, 14);
        c.fill(rgb(12, 10, 8));
        const double w = 22, h = 26, top = 3;
        for (int d = 0; d < 3; ++d) {
            const int power = d == 0 ? 100 : d == 1 ? 10 : 1;
            const bool blank = value < power && d < 2;
            const int digit = value / power % 10;
            const double x = 8 + d * 25;
            const int mask = blank ? 0 : segments[digit];
            const auto seg = [&](int bit, double x0, double y0, double x1, double y1) {
                c.fillRect(x0, y0, x1, y1, mask & (1 << bit) ? on : off);
            };
            seg(0, x + 3, top, x + w - 3, top + 3);
            seg(1, x + w - 3, top + 2, x + w, top + h / 2 - 1);
            seg(2, x + w - 3, top + h / 2 + 1, x + w, top + h - 2);
            seg(3, x + 3, top + h - 3, x + w - 3, top + h);
            seg(4, x, top + h / 2 + 1, x + 3, top + h - 2);
            seg(5, x, top + 2, x + 3, top + h / 2 - 1);
            seg(6, x + 3, top + h / 2 - 1.5, x + w - 3, top + h / 2 + 1.5);
        }
    }

    // A row of lamp boxes with the first `lit` lit (or only box `only`).
    void boxes(Canvas& c, const std::vector<std::string>& labels,
               const std::vector<Colour>& colours, int lit, int only) const {
        c.fill(rgb(16, 16, 18));
        const double w = double(c.width()) / double(labels.size());
        for (std::size_t k = 0; k < labels.size(); ++k) {
            const bool on = only >= 0 ? int(k) == only : int(k) < lit;
            c.fillRect(k * w + 1, 1, (k + 1) * w - 1, c.height() - 1,
                       on ? colours[k] : rgb(40, 40, 44));
            const double size = fitText(labels[k], c.height() - 3, w - 2, true);
            drawText(c, labels[k], (k + 0.5) * w, (c.height() - size * 1.25) / 2, size,
                     on ? rgb(10, 10, 10) : rgb(110, 110, 110), Align::Centre, true);
        }
    }

    std::vector<std::string> brakeNames() const {
        if (v.brakeType == 0) return {"保ち", "重なり", "常用", "非常"};
        std::vector<std::string> names;
        for (int k = 1; k < v.brake; ++k) names.push_back("B" + std::to_string(k));
        names.push_back("EB");
        return names;
    }

    // Brake indicator pattern n (release, the holding position, positions).
    std::string brakeText(int n) const {
        if (n == 0) return "緩め";
        if (v.hold && n == 1) return "保持";
        return brakeNames()[std::size_t(n - 1 - v.hold)];
    }

    std::string powerText(int n) const {
        if (n == 0) return "切";
        int mode = 0;
        for (std::size_t k = 0; k < v.notches.size(); ++k)
            if (int(k) < n) mode = v.notches[k].mode;
        int first = 1;
        for (std::size_t k = 0; k < v.notches.size(); ++k)
            if (v.notches[k].mode == mode) {
                first = int(k) + 1;
                break;
            }
        const std::string name = v.powerModes.empty() ? "P" : v.powerModes[std::size_t(mode)].first;
        return name + std::to_string(n - first + 1);
    }

    void text(Canvas& c, const std::string& t, Colour colour) const {
        c.fill(rgb(10, 14, 12));
        drawText(c, t, c.width() / 2.0,
                 (c.height() - fitText(t, c.height() * 0.62, c.width() - 6, true) * 1.3) / 2,
                 fitText(t, c.height() * 0.62, c.width() - 6, true), colour, Align::Centre, true);
    }
};

}  // namespace

void writePanelPictures(const std::filesystem::path& root, const VehicleDesign& v,
                        const PanelLayout& p) {
    const Painter paint{v, p};
    const auto file = [&](const std::string& name) {
        return onDisk(root, v.folder + v.assets + name);
    };
    const Colour dark = v.panel.bodyDark;
    const Canvas base = paint.panel();
    writeBmp(file(p.panel), base.toRgb(dark));
    writeKeyedBmp(file(p.panel2), paint.panel2(base), dark);
    for (const auto& l : p.lamps) writeKeyedBmp(file(l.file), paint.lamp(l), dark);
    for (const auto& l : p.others) writeKeyedBmp(file(l.file), paint.lamp(l), dark);
    for (const NeedlePart* n : {&p.speed, &p.bc, &p.sap, &p.er, &p.bp, &p.mr, &p.volt, &p.amp})
        writeKeyedBmp(file(n->file), paint.needle(*n), dark);
    writeKeyedBmp(file(p.bcBar.file), paint.bar(p.bcBar), dark);
    writeKeyedBmp(file(p.mrBar.file), paint.bar(p.mrBar), dark);

    const auto strip = [&](const PatternPart& part, const std::function<void(Canvas&, int)>& draw) {
        writeKeyedBmp(file(part.file), patternStrip(part.count, part.rect.w, part.rect.h, draw),
                      dark);
    };
    strip(p.digiSpeed, [&](Canvas& c, int n) { paint.digits(c, n); });
    std::vector<std::string> powerLabels;
    std::vector<Colour> powerColours;
    for (int k = 1; k <= v.power; ++k) {
        const bool second = k <= int(v.notches.size()) && v.notches[std::size_t(k - 1)].mode > 0;
        powerLabels.push_back(std::to_string(k));
        powerColours.push_back(second ? rgb(90, 220, 200) : rgb(110, 180, 255));
    }
    strip(p.notchP, [&](Canvas& c, int n) { paint.boxes(c, powerLabels, powerColours, n, -1); });
    std::vector<std::string> brakeLabels = paint.brakeNames();
    if (v.hold) brakeLabels.insert(brakeLabels.begin(), "保");
    std::vector<Colour> brakeColours(brakeLabels.size(), rgb(255, 170, 40));
    brakeColours.back() = rgb(255, 60, 40);
    strip(p.notchB, [&](Canvas& c, int n) {
        // Automatic brake valves show their one position; notched brakes fill up.
        const bool valve = v.brakeType == 0;
        paint.boxes(c, brakeLabels, brakeColours, n, valve || (v.hold && n == 1) ? n - 1 : -1);
    });
    strip(p.notchP2,
          [&](Canvas& c, int n) { paint.text(c, paint.powerText(n), rgb(120, 200, 255)); });
    const int brakes = brakePatternCount(v);
    strip(p.notchB2, [&](Canvas& c, int n) {
        if (n >= brakes) {
            paint.text(c, n == brakes ? "保安常用" : "保安非常", rgb(255, 70, 50));
            return;
        }
        paint.text(c, paint.brakeText(n),
                   n == 0            ? rgb(160, 160, 160)
                   : n == brakes - 1 ? rgb(255, 70, 50)
                                     : rgb(255, 180, 60));
    });
    strip(p.gear, [&](Canvas& c, int n) { paint.text(c, v.gearName(n), rgb(150, 230, 150)); });
    strip(p.gearLever, [&](Canvas& c, int n) {
        paint.text(c, n == 0 ? "N" : std::to_string(n), rgb(230, 230, 150));
    });
    strip(p.cabSignal, [&](Canvas& c, int n) {
        const int speed = p.cabSignalSpeeds[std::size_t(n)];
        c.fill(rgb(8, 8, 10));
        if (speed == 0) {
            c.strokeLine({30, 8}, {70, 44}, 6, rgb(255, 50, 40));
            c.strokeLine({70, 8}, {30, 44}, 6, rgb(255, 50, 40));
            return;
        }
        c.fillRect(4, 4, 96, 48, speed < 50 ? rgb(250, 190, 30) : rgb(40, 200, 110));
        drawText(c, std::to_string(speed), 50, 8, 34, rgb(10, 10, 10), Align::Centre, true);
    });
}

}  // namespace tovra::demo
