#include "demo-gen/RoutePictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "demo-gen/Callouts.h"
#include "demo-gen/DataText.h"
#include "demo-gen/ImageFiles.h"
#include "demo-gen/PatternStrip.h"
#include "demo-gen/TextPainter.h"
#include "demo-gen/Wayside.h"

namespace tovra::demo {

namespace {

const std::string kFolder = "image\\line\\";

std::string slopeFile(Direction d) {
    return kFolder + (d == Direction::Down ? "slope_down.bmp" : "slope_up.bmp");
}

std::string lowerId(const ServicePlan& s) {
    std::string id = s.routeFile.substr(0, s.routeFile.find('.'));
    std::transform(id.begin(), id.end(), id.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return id;
}

const Colour kBoardWhite = rgb(246, 246, 240), kInk = rgb(16, 16, 16);
const Colour kLensRed = rgb(255, 40, 30), kLensYellow = rgb(255, 190, 30),
             kLensGreen = rgb(40, 230, 170);

void board(Canvas& c, double x0, double y0, double x1, double y1, Colour face, Colour edge) {
    c.fillRect(x0, y0, x1, y1, edge);
    c.fillRect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, face);
}

// ---- signals -------------------------------------------------------------

enum Lamp { kY1, kG1, kR, kY2, kG2 };
struct Face {
    int lenses;  // 3: G Y R; 4: Y G R Y; 5: Y G R Y G
    std::vector<Lamp> lit;
    int repeater = -1;  // type 0: 0 stop, 1 restricted, 2 proceed
    const char* name;
};

Face faceOf(int face) {
    using V = std::vector<Lamp>;
    switch (face) {
        case 1:
            return {0, {}, 0, "中継"};
        case 2:
            return {0, {}, 1, "中継"};
        case 3:
            return {0, {}, 2, "中継"};
        case 4:
            return {4, V{kY1}, -1, "注意"};
        case 5:
            return {4, V{kY1, kG1}, -1, "減速"};
        case 6:
            return {4, V{kG1}, -1, "進行"};
        case 8:
        case 11:
            return {3, V{kY1}, -1, "注意"};
        case 9:
        case 12:
            return {3, V{kG1}, -1, "進行"};
        case 14:
        case 19:
        case 23:
        case 27:
        case 31:
        case 37:
            return {5, V{kY2}, -1, "注意"};
        case 15:
        case 24:
        case 32:
        case 38:
            return {5, V{kY1, kG1}, -1, "減速"};
        case 16:
        case 20:
        case 25:
        case 28:
        case 33:
        case 39:
            return {5, V{kG1}, -1, "進行"};
        case 18:
        case 22:
        case 36:
            return {5, V{kY1, kY2}, -1, "警戒"};
        case 29:
        case 34:
        case 40:
            return {5, V{kG1, kG2}, -1, "高速"};
        default:
            return {face <= 12 ? 3 : 5, V{kR}, -1, "停止"};
    }
}

void drawSignalFace(Canvas& c, int face) {
    const Face f = faceOf(face);
    const double w = c.width(), h = c.height();
    if (f.repeater >= 0) {
        c.fillCircle(w / 2, h / 2, w / 2 - 1, rgb(20, 20, 22));
        c.fillRing(w / 2, h / 2, w / 2 - 3, w / 2 - 1, rgb(90, 90, 96));
        const double angle = f.repeater == 0 ? 90 : f.repeater == 1 ? 45 : 0;
        for (int k = -2; k <= 2; ++k) {
            const Point p = polar(w / 2, h / 2, k * 6.5, angle);
            c.fillCircle(p.x, p.y, 3.2, rgb(255, 250, 225));
        }
        return;
    }
    c.fillRect(2, 2, w - 2, h - 2, rgb(22, 22, 24));
    c.fillRect(4, 4, w - 4, h - 4, rgb(36, 36, 40));
    static const Lamp order3[] = {kG1, kY1, kR};
    static const Lamp order5[] = {kY1, kG1, kR, kY2, kG2};
    const int n = f.lenses == 3 ? 3 : 5;
    const double step = (h - 12) / n;
    for (int i = 0; i < n; ++i) {
        if (f.lenses == 4 && i == 4) break;
        const Lamp lamp = n == 3 ? order3[i] : order5[i];
        const Colour full = lamp == kR                     ? kLensRed
                            : (lamp == kY1 || lamp == kY2) ? kLensYellow
                                                           : kLensGreen;
        const bool on = std::find(f.lit.begin(), f.lit.end(), lamp) != f.lit.end();
        const double cy = 6 + step * (i + 0.5);
        c.fillCircle(w / 2, cy, step * 0.42, rgb(8, 8, 8));
        c.fillCircle(w / 2, cy, step * 0.34, on ? full : scaled(full, 0.18f));
        if (on) c.fillCircle(w / 2 - 2, cy - 2, step * 0.12, mix(full, rgb(255, 255, 255), 0.6f));
    }
}

void drawAspectPlate(Canvas& c, int face) {
    if (face == 0) return;
    c.fillRect(1, 1, c.width() - 1, c.height() - 1, rgb(24, 24, 28));
    drawText(c, faceOf(face).name, c.width() / 2.0, 1, c.height() - 4, rgb(255, 255, 255),
             Align::Centre, true);
}

bool divergingFace(int face) {
    return face >= 14 && face <= 16;
}

void drawRouteIndicator(Canvas& c, int face) {
    c.fillRect(1, 1, c.width() - 1, c.height() - 1, rgb(20, 20, 22));
    for (int k = 0; k < 4; ++k) {
        const Point p{c.width() - 8.0 - k * 8.0, c.height() / 2.0 - k * 2.5};
        c.fillCircle(p.x, p.y, 2.6, divergingFace(face) ? rgb(255, 250, 230) : rgb(60, 60, 60));
    }
}

void drawSpeedIndicator(Canvas& c, int face) {
    c.fillRect(1, 1, c.width() - 1, c.height() - 1, rgb(20, 20, 22));
    if (divergingFace(face))
        drawText(c, "45", c.width() / 2.0, 1, c.height() - 3, rgb(255, 250, 230), Align::Centre,
                 true);
}

// ---- signs ---------------------------------------------------------------

void drawStopLine(Canvas& c, int size, Colour colour) {
    c.fill(rgb(92, 86, 80));
    const double h = 2 + size * (c.height() - 2) / double(kStopLineSizes - 1);
    c.fillRect(0, (c.height() - h) / 2, c.width(), (c.height() + h) / 2, colour);
}

void drawSlopePost(Canvas& c, int n, const std::vector<SlopeStretch>& slopes) {
    if (n == 0) return;
    const double permil = slopes[std::size_t(n - 1)].permil;
    const double w = c.width(), h = c.height();
    c.fillRect(w / 2 - 2, h * 0.45, w / 2 + 2, h, rgb(240, 240, 240));
    board(c, 3, 3, w - 3, h * 0.62, kBoardWhite, kInk);
    const double rise = std::clamp(permil / 25.0, -1.0, 1.0) * h * 0.16;
    c.strokeLine({6, h * 0.25 + rise}, {w - 6, h * 0.25 - rise}, 3, kInk);
    char text[16];
    std::snprintf(text, sizeof text, "%.0f", std::abs(permil));
    drawText(c, text, w / 2, h * 0.31, h * 0.3, kInk, Align::Centre, true);
}

// Pattern n is the sign of a limit of n km/h; there is no limit of 0.
void drawLimitSign(Canvas& c, int n) {
    if (n == 0) return;
    const double w = c.width(), h = c.height();
    c.fillRect(w / 2 - 2, h * 0.6, w / 2 + 2, h, rgb(200, 200, 200));
    board(c, 6, 2, w - 6, h * 0.7, rgb(255, 214, 40), kInk);
    const std::string speed = std::to_string(n);
    drawText(c, speed, w / 2, h * 0.1, fitText(speed, h * 0.46, w - 16, true), kInk, Align::Centre,
             true);
}

void drawRemain(Canvas& c, int n) {
    board(c, 1, 1, c.width() - 1, c.height() - 1, kBoardWhite, kInk);
    drawText(c, std::to_string(n * 10), c.width() / 2.0, c.height() * 0.3, c.width() * 0.62, kInk,
             Align::Centre, true);
}

void drawOtherSign(Canvas& c, int n) {
    const double w = c.width(), h = c.height();
    switch (n) {
        case kTimeCheckMark:
            c.fillCircle(w / 2, h / 2, w / 2 - 2, kInk);
            c.fillCircle(w / 2, h / 2, w / 2 - 5, kBoardWhite);
            drawText(c, "時", w / 2, h * 0.18, h * 0.58, kInk, Align::Centre, true);
            break;
        case kWhistleBoard:
        case kWhistleBoard + 1:
            c.fillRect(w / 2 - 2, h * 0.6, w / 2 + 2, h, rgb(200, 200, 200));
            board(c, 4, 2, w - 4, h * 0.68, n == kWhistleBoard ? kBoardWhite : rgb(255, 226, 90),
                  kInk);
            drawText(c, "笛", w / 2, h * 0.06, h * 0.52, kInk, Align::Centre, true);
            break;
        default: {
            const Colour face = n == kStationApproachBoard ? rgb(250, 200, 40) : rgb(255, 240, 140);
            board(c, 3, 6, w - 3, h - 6, face, kInk);
            for (int k = 0; k < 3; ++k) c.fillRect(8, 12 + k * 9, w - 8, 16 + k * 9, kInk);
            break;
        }
    }
}

// ---- level crossing indicators --------------------------------------------

void drawCrossingLamps(Canvas& c, int step) {
    const double w = c.width(), h = c.height();
    c.fillRect(1, 1, w - 1, h - 1, rgb(28, 28, 30));
    const bool leftOn = step > 0 && step % 2 == 1, rightOn = step > 0 && step % 2 == 0;
    c.fillCircle(h / 2, h / 2, h / 2 - 4, leftOn ? kLensRed : rgb(70, 20, 20));
    c.fillCircle(w - h / 2, h / 2, h / 2 - 4, rightOn ? kLensRed : rgb(70, 20, 20));
    drawText(c, "踏切", w / 2, h * 0.2, h * 0.5, rgb(230, 230, 230), Align::Centre, true);
}

void drawCrossingAhead(Canvas& c, bool shown) {
    if (!shown) return;
    board(c, 1, 1, c.width() - 1, c.height() - 1, rgb(255, 210, 0), kInk);
    for (int k = 0; k < 6; ++k) {
        const double x = 4 + k * 12.0;
        c.fillPolygon(std::vector<Point>{{x, 4}, {x + 6, 4}, {x + 2, 10}, {x - 4, 10}}, kInk);
    }
    drawText(c, "踏切注意", c.width() / 2.0, 11, 16, kInk, Align::Centre, true);
}

// ---- staff card -----------------------------------------------------------

std::string clockText(int ticks, bool seconds) {
    const int s = ticks / 30;
    char text[16];
    if (seconds)
        std::snprintf(text, sizeof text, "%2d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%2d:%02d", s / 3600, s / 60 % 60);
    return text;
}

void drawStaff(const std::filesystem::path& file, const LinePlan& plan, const ServicePlan& s) {
    const RunPlan& run = plan.run(s.dir);
    const int rowHeight = 44, top = 74;
    Canvas c(230, top + rowHeight * int(run.stationOrder.size()) + 40, rgb(250, 248, 236));
    c.fillRect(0, 0, c.width(), 6, rgb(40, 90, 160));
    drawText(c, s.serviceName, 10, 12, 22, kInk, Align::Left, true);
    drawText(c, s.shortName, 10, 42, 14, kInk);
    c.fillRect(8, top - 4, c.width() - 8, top - 3, kInk);
    for (std::size_t i = 0; i < run.stationOrder.size(); ++i) {
        const double y = top + rowHeight * double(i);
        const StationSite& st = plan.world.stations[std::size_t(run.stationOrder[i])];
        const int kind = s.kinds[i];
        drawText(c, st.name, 10, y + 10, 18, kInk, Align::Left, kind == 0);
        if (kind == 1) {
            drawText(c, "レ " + clockText(s.departures[i], false), 220, y + 12, 14, rgb(90, 90, 90),
                     Align::Right);
        } else {
            if (s.arrivals[i])
                drawText(c, clockText(s.arrivals[i], true) + " 着", 220, y + 3, 13, kInk,
                         Align::Right);
            if (i + 1 < run.stationOrder.size())
                drawText(c, clockText(s.departures[i], true) + " 発", 220, y + 22, 13, kInk,
                         Align::Right, true);
        }
        if (kind == 2 || kind == 3)
            drawText(c, kind == 2 ? "運停" : "信停", 96, y + 12, 12, rgb(180, 40, 30), Align::Left,
                     true);
        c.fillRect(8, y + rowHeight - 1, c.width() - 8, y + rowHeight, rgb(170, 170, 160));
    }
    drawText(c, s.oneMan ? "ワンマン" : "車掌乗務", 10, c.height() - 30, 14, rgb(40, 90, 160),
             Align::Left, true);
    writeBmp(file, c.toRgb(rgb(250, 248, 236)));
}

}  // namespace

RoutePictures routePictures(const ServicePlan& service) {
    RoutePictures p;
    p.signs = {{{kFolder + "stop_mark.bmp", 40},
                {kFolder + "stop_line_s.bmp", 16},
                {kFolder + "stop_line_m.bmp", 16},
                {kFolder + "stop_line_e.bmp", 16},
                {slopeFile(service.dir), 48},
                {kFolder + "limit.bmp", 48},
                {kFolder + "remain.bmp", 24},
                {kFolder + "other.bmp", 48}}};
    p.signalDisplayX = 736, p.signalDisplayY = 24;
    p.signal = {40, 100, kFolder + "signal.bmp"};
    p.subSignals = {{{48, 20, kFolder + "signal_aspect.bmp"},
                     {40, 24, kFolder + "signal_route.bmp"},
                     {40, 24, kFolder + "signal_speed.bmp"}}};
    for (int k = 0; k <= 14; ++k) {
        char name[32];
        std::snprintf(name, sizeof name, "crossing_lamp_%02d.bmp", k);
        p.anims.push_back(kFolder + name);
    }
    p.crossings = {kFolder + "crossing_none.bmp", kFolder + "crossing_ahead.bmp"};
    p.opening = kFolder + (service.dir == Direction::Down ? "opening_down.jpg" : "opening_up.jpg");
    p.staff = "image\\staff\\" + lowerId(service) + ".bmp";
    return p;
}

void writeRoutePictures(const std::filesystem::path& root, const LinePlan& plan) {
    const RoutePictures p = routePictures(plan.services.front());
    const auto out = [&](const std::string& file) { return onDisk(root, file); };
    const Colour dark = rgb(30, 30, 30);
    writeKeyedBmp(out(p.signs[0].file),
                  patternStrip(1, 40, 40,
                               [](Canvas& c, int) {
                                   board(c, 2, 2, 38, 38, kBoardWhite, rgb(240, 120, 20));
                                   drawText(c, "10", 20, 7, 24, kInk, Align::Centre, true);
                               }),
                  dark);
    const Colour lineColours[] = {rgb(255, 200, 0), rgb(255, 50, 40), rgb(255, 200, 0)};
    for (int k = 0; k < 3; ++k)
        writeBmp(out(p.signs[std::size_t(1 + k)].file),
                 patternStrip(kStopLineSizes, 16, 16, [&](Canvas& c, int n) {
                     drawStopLine(c, n, lineColours[k]);
                 }).toRgb(dark));
    for (Direction d : {Direction::Down, Direction::Up}) {
        const auto slopes = slopesOf(plan.world, d);
        writeKeyedBmp(out(slopeFile(d)),
                      patternStrip(int(slopes.size()) + 1, 48, 48,
                                   [&](Canvas& c, int n) { drawSlopePost(c, n, slopes); }),
                      dark);
    }
    writeKeyedBmp(out(p.signs[5].file), patternStrip(kLimitSignPatterns, 48, 48, drawLimitSign),
                  dark);
    writeBmp(out(p.signs[6].file),
             patternStrip(kRemainPatterns, 24, 48, drawRemain).toRgb(kBoardWhite));
    writeKeyedBmp(out(p.signs[7].file), patternStrip(kOtherSignCount, 48, 48, drawOtherSign), dark);

    writeKeyedBmp(out(p.signal.file), patternStrip(kSignalFaces, 40, 100, drawSignalFace), dark);
    writeKeyedBmp(out(p.subSignals[0].file), patternStrip(kSignalFaces, 48, 20, drawAspectPlate),
                  dark);
    writeKeyedBmp(out(p.subSignals[1].file), patternStrip(kSignalFaces, 40, 24, drawRouteIndicator),
                  dark);
    writeKeyedBmp(out(p.subSignals[2].file), patternStrip(kSignalFaces, 40, 24, drawSpeedIndicator),
                  dark);
    for (std::size_t k = 0; k < p.anims.size(); ++k) {
        Canvas c(64, 28);
        drawCrossingLamps(c, int(k));
        writeKeyedBmp(out(p.anims[k]), c, dark);
    }
    for (std::size_t k = 0; k < p.crossings.size(); ++k) {
        Canvas c(76, 30);
        drawCrossingAhead(c, k == 1);
        writeKeyedBmp(out(p.crossings[k]), c, dark);
    }
    for (const ServicePlan& s : plan.services) drawStaff(out(routePictures(s).staff), plan, s);
}

}  // namespace tovra::demo
