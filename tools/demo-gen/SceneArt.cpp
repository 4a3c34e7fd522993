#include "demo-gen/SceneArt.h"

#include <cmath>
#include <cstdio>

#include "demo-gen/Synth.h"
#include "demo-gen/TextPainter.h"

namespace tovra::demo {

namespace {

const Colour kBlack = rgb(14, 14, 16), kWhite = rgb(244, 244, 238);

Canvas drawTree(int variant) {
    Canvas c(96, 128);
    Random r(std::uint64_t(variant) * 31 + 5);
    c.fillPolygon(std::vector<Point>{{44, 128}, {52, 128}, {50, 66}, {46, 66}}, rgb(86, 64, 44));
    const Colour leaf[] = {rgb(56, 104, 48), rgb(70, 120, 56), rgb(48, 92, 52), rgb(84, 118, 50)};
    const Colour base = leaf[variant % 4];
    // A crown of many small clumps, lit from the upper left.
    const double cx = 48, cy = 46, rx = 38 + 6 * r.uniform(), ry = 40 + 6 * r.uniform();
    for (int k = 0; k < 170; ++k) {
        const double a = r.uniform() * 6.2832, d = std::sqrt(r.uniform());
        const double x = cx + std::cos(a) * d * rx, y = cy + std::sin(a) * d * ry;
        const double light = 0.62 + 0.3 * (1 - (x - cx + rx) / (2 * rx)) +
                             0.25 * (1 - (y - cy + ry) / (2 * ry)) + 0.15 * r.uniform();
        c.fillCircle(x, y, 4 + r.uniform() * 5, scaled(base, float(light)));
    }
    return c;
}

Canvas drawHouseEnd(int variant) {
    Canvas c(128, 128);
    const Colour walls[] = {rgb(226, 218, 198), rgb(196, 200, 204), rgb(214, 196, 170),
                            rgb(232, 230, 222), rgb(176, 160, 140)};
    const Colour roofs[] = {rgb(70, 74, 90), rgb(120, 60, 44), rgb(60, 86, 110), rgb(90, 90, 92),
                            rgb(110, 100, 80)};
    const Colour wall = walls[variant % 5], roof = roofs[(variant / 2) % 5];
    c.fillRect(8, 52, 120, 128, wall);
    c.fillPolygon(std::vector<Point>{{0, 56}, {64, 8}, {128, 56}}, roof);
    c.fillPolygon(std::vector<Point>{{14, 54}, {64, 18}, {114, 54}}, scaled(wall, 0.92f));
    for (int k = 0; k < 2; ++k) {
        const double x = 24 + k * 50;
        c.fillRect(x, 70, x + 26, 96, rgb(60, 70, 84));
        c.fillRect(x + 2, 72, x + 24, 94, rgb(120, 150, 176));
        c.fillRect(x + 12, 72, x + 14, 94, wall);
    }
    c.fillRect(8, 124, 120, 128, scaled(wall, 0.6f));
    return c;
}

Canvas drawPerson(int variant) {
    Canvas c(24, 64);
    const Colour coats[] = {rgb(40, 44, 60), rgb(120, 40, 40), rgb(60, 60, 64), rgb(200, 190, 170),
                            rgb(40, 70, 90)};
    const Colour coat = coats[variant % 5];
    c.fillCircle(12, 8, 5.5, rgb(60, 46, 40));
    c.fillCircle(12, 9.5, 4.5, rgb(222, 190, 160));
    c.fillRect(5, 15, 19, 40, coat);
    c.fillRect(6, 40, 11, 62, rgb(36, 36, 44));
    c.fillRect(13, 40, 18, 62, rgb(36, 36, 44));
    if (variant % 3 == 0) c.fillRect(17, 26, 23, 38, rgb(90, 60, 40));  // a bag
    return c;
}

Canvas drawCar(int variant) {
    Canvas c(160, 64);
    const Colour paints[] = {rgb(230, 230, 232), rgb(40, 60, 110), rgb(170, 30, 30),
                             rgb(60, 60, 64)};
    const Colour paint = paints[variant % 4];
    c.fillPolygon(
        std::vector<Point>{
            {4, 50}, {8, 32}, {40, 28}, {58, 10}, {110, 10}, {130, 28}, {156, 32}, {156, 50}},
        paint);
    c.fillPolygon(std::vector<Point>{{62, 14}, {106, 14}, {122, 28}, {48, 28}}, rgb(70, 90, 110));
    c.fillRect(83, 14, 86, 28, paint);
    c.fillCircle(36, 50, 12, kBlack);
    c.fillCircle(124, 50, 12, kBlack);
    c.fillCircle(36, 50, 5, rgb(160, 160, 160));
    c.fillCircle(124, 50, 5, rgb(160, 160, 160));
    return c;
}

Canvas drawCrossingSignal(int phase) {
    Canvas c(96, 256);
    for (int k = 0; k < 12; ++k)
        c.fillRect(44, 60 + k * 16, 52, 76 + k * 16, k % 2 ? kBlack : rgb(240, 200, 0));
    // The crossbuck.
    for (double sign : {-1.0, 1.0}) {
        const Point a{48 - 40.0, 8}, b{48 + 40.0, 52};
        const Point p = sign > 0 ? a : Point{a.x, b.y}, q = sign > 0 ? b : Point{b.x, a.y};
        c.strokeLine(p, q, 12, kBlack);
        c.strokeLine(p, q, 8, rgb(250, 210, 0));
    }
    // Two lamps flashing in turn.
    c.fillRect(8, 70, 88, 80, kBlack);
    for (int k = 0; k < 2; ++k) {
        const double x = k == 0 ? 18 : 78;
        c.fillCircle(x, 92, 13, kBlack);
        const bool on = (k == 0) == (phase == 0);
        c.fillCircle(x, 92, 10, on ? rgb(255, 50, 30) : rgb(90, 20, 16));
        if (on) c.fillCircle(x - 3, 89, 4, rgb(255, 190, 160));
    }
    return c;
}

Canvas drawSignalHead(int lenses) {
    Canvas c(48, 96);
    c.fillRect(4, 2, 44, 94, kBlack);
    c.fillRect(6, 4, 42, 92, rgb(30, 30, 34));
    const int n = lenses == 0 ? 0 : lenses;
    if (n == 0) {  // a repeater: a round face with its lights off
        c.fill({0, 0, 0, 0});
        c.fillCircle(24, 48, 22, kBlack);
        c.fillRing(24, 48, 18, 22, rgb(120, 120, 120));
        return c;
    }
    for (int i = 0; i < n; ++i) {
        const double cy = 4 + (88.0 / n) * (i + 0.5);
        c.fillCircle(24, cy, 86.0 / n * 0.42, rgb(6, 6, 6));
        c.fillCircle(24, cy, 86.0 / n * 0.32, rgb(44, 48, 52));
    }
    return c;
}

Canvas drawPortal() {
    // A wooded hillside with a concrete portal; the opening is left clear.
    Canvas c(1024, 384);
    Random r(7);
    std::vector<Point> hill{{0, 384}};
    for (int x = 0; x <= 1024; x += 32)
        hill.push_back({double(x), 150 - 70 * std::cos((x - 512) / 330.0) + r.uniform() * 14});
    hill.push_back({1024, 384});
    c.fillPolygon(hill, rgb(64, 92, 50));
    // Foliage: many small crowns, darker low down.
    for (int k = 0; k < 2600; ++k) {
        const double x = r.uniform() * 1024, y = 90 + r.uniform() * 294;
        if (y < 150 - 70 * std::cos((x - 512) / 330.0) + 6) continue;
        const float light = float(0.6 + 0.5 * r.uniform()) * float(1.15 - 0.35 * (y / 384));
        c.fillCircle(x, y, 2.5 + r.uniform() * 4.5, scaled(rgb(66, 100, 50), light));
    }
    // The portal frames the tunnel's 10 m by 6.2 m bore (the picture is
    // 120 m by 45 m and starts 1 m below the rails).
    const double px = 1024 / 120.0, py = 384 / 45.0;
    const double left = 512 - 5.0 * px, right = 512 + 5.0 * px, top = 384 - 7.2 * py;
    c.fillRect(left - 2.2 * px, top - 2.0 * py, right + 2.2 * px, 384, rgb(150, 150, 146));
    c.fillRect(left - 2.2 * px, top - 2.0 * py, right + 2.2 * px, top - 1.6 * py,
               rgb(120, 120, 118));
    for (int y = int(top); y < 384; ++y)
        for (int x = int(left); x < int(std::ceil(right)); ++x) c.at(x, y) = {0, 0, 0, 0};
    return c;
}

Canvas drawTrainEnd(bool front) {
    Canvas c(128, 168);
    const Colour body = rgb(196, 200, 204), stripe = rgb(0, 150, 90);
    c.fillRect(4, 8, 124, 160, body);
    c.fillRect(4, 4, 124, 12, rgb(120, 124, 130));
    c.fillRect(14, 28, 114, 78, rgb(30, 40, 52));
    c.fillRect(60, 28, 68, 78, body);
    c.fillRect(4, 96, 124, 108, stripe);
    c.fillRect(4, 150, 124, 168, rgb(40, 40, 44));
    const Colour lamp = front ? rgb(255, 250, 220) : rgb(230, 30, 20);
    c.fillCircle(22, 124, 7, lamp);
    c.fillCircle(106, 124, 7, lamp);
    c.fillRect(44, 84, 84, 92, rgb(20, 20, 20));
    return c;
}

Canvas drawBoard(int w, int h, Colour face, Colour edge) {
    Canvas c(w, h);
    c.fillRect(0, 0, w, h, edge);
    c.fillRect(3, 3, w - 3, h - 3, face);
    return c;
}

}  // namespace

SceneArt::SceneArt() {
    for (int k = 0; k < 6; ++k) trees_.push_back(std::make_unique<Sprite>(drawTree(k)));
    for (int k = 0; k < 8; ++k) houses_.push_back(std::make_unique<Sprite>(drawHouseEnd(k)));
    for (int k = 0; k < 5; ++k) people_.push_back(std::make_unique<Sprite>(drawPerson(k)));
    for (int k = 0; k < 4; ++k) cars_.push_back(std::make_unique<Sprite>(drawCar(k)));
    for (int k = 0; k < 2; ++k)
        crossing_.push_back(std::make_unique<Sprite>(drawCrossingSignal(k)));

    Canvas pole(16, 256);
    pole.fillVerticalGradient(0, 0, 16, 256, rgb(196, 196, 190), rgb(170, 170, 164));
    pole.fillRect(0, 0, 5, 256, rgb(150, 150, 146));
    keep("pole", pole);
    Canvas beam(512, 16, rgb(90, 96, 100));
    for (int x = 0; x < 512; x += 16)
        beam.strokeLine({double(x), 2}, {double(x + 16), 14}, 2, rgb(50, 54, 58));
    beam.fillRect(0, 0, 512, 2, rgb(60, 64, 68));
    beam.fillRect(0, 14, 512, 16, rgb(60, 64, 68));
    keep("beam", beam);
    keep("mast", Canvas(8, 256, rgb(120, 124, 128)));
    keep("signal3", drawSignalHead(3));
    keep("signal4", drawSignalHead(4));
    keep("signal5", drawSignalHead(5));
    keep("repeater", drawSignalHead(0));
    Canvas back(48, 96);
    back.fillRect(4, 2, 44, 94, rgb(70, 72, 76));
    keep("signal_back", back);
    keep("beacon", Canvas(32, 8, rgb(240, 200, 30)));
    Canvas barrier(512, 16);
    for (int k = 0; k < 16; ++k)
        barrier.fillRect(k * 32, 0, k * 32 + 32, 16, k % 2 ? kBlack : rgb(250, 210, 0));
    keep("barrier", barrier);
    Canvas buffer(128, 96);
    buffer.fillRect(0, 10, 128, 50, rgb(200, 30, 30));
    for (int k = 0; k < 4; ++k) buffer.fillRect(8 + k * 30, 14, 20 + k * 30, 46, kWhite);
    buffer.fillRect(10, 50, 22, 96, rgb(80, 80, 80));
    buffer.fillRect(106, 50, 118, 96, rgb(80, 80, 80));
    keep("buffer", buffer);
    keep("portal", drawPortal());
    Canvas bank(256, 32, rgb(110, 96, 72));
    bank.fillRect(0, 0, 256, 6, rgb(70, 100, 52));
    keep("bank", bank);
    keep("column", Canvas(8, 64, rgb(110, 116, 122)));
    Canvas stop = drawBoard(48, 48, kWhite, rgb(240, 120, 20));
    drawText(stop, "10", 24, 8, 28, kBlack, Align::Centre, true);
    keep("stop_mark", stop);
    Canvas release = drawBoard(48, 48, kWhite, kBlack);
    release.strokeLine({8, 40}, {40, 8}, 5, rgb(20, 120, 60));
    keep("release", release);
    Canvas whistle = drawBoard(48, 48, kWhite, kBlack);
    drawText(whistle, "笛", 24, 4, 38, kBlack, Align::Centre, true);
    keep("whistle", whistle);
    Canvas approach = drawBoard(64, 48, rgb(250, 200, 40), kBlack);
    for (int k = 0; k < 3; ++k) approach.fillRect(8, 10 + k * 11, 56, 15 + k * 11, kBlack);
    keep("approach", approach);
    keep("train_front", drawTrainEnd(true));
    keep("train_rear", drawTrainEnd(false));
}

const Sprite* SceneArt::keep(const std::string& key, const Canvas& canvas) {
    auto& slot = named_[key];
    if (!slot) slot = std::make_unique<Sprite>(canvas);
    return slot.get();
}

const Sprite* SceneArt::named(const std::string& name) const {
    const auto it = named_.find(name);
    return it == named_.end() ? nullptr : it->second.get();
}

const Sprite* SceneArt::signalHead(int type) const {
    if (type == 0) return named("repeater");
    if (type == 2 || type == 3) return named("signal3");
    if (type == 1 || type == 4 || type == 5) return named("signal4");
    return named("signal5");
}

const Sprite* SceneArt::kmPost(int hectometres) {
    const std::string key = "km" + std::to_string(hectometres);
    if (const Sprite* s = named(key)) return s;
    Canvas c(40, 96);
    c.fillRect(6, 0, 34, 96, kWhite);
    c.fillRect(6, 0, 34, 3, kBlack);
    char top[16], bottom[16];
    std::snprintf(top, sizeof top, "%d", hectometres / 10);
    std::snprintf(bottom, sizeof bottom, "%d", hectometres % 10);
    drawText(c, top, 20, 6, 30, kBlack, Align::Centre, true);
    drawText(c, bottom, 20, 44, 30, kBlack, Align::Centre, true);
    return keep(key, c);
}

const Sprite* SceneArt::limitBoard(int speed) {
    const std::string key = "limit" + std::to_string(speed);
    if (const Sprite* s = named(key)) return s;
    Canvas c = drawBoard(48, 56, rgb(255, 214, 40), kBlack);
    drawText(c, std::to_string(speed), 24, 10, 30, kBlack, Align::Centre, true);
    return keep(key, c);
}

const Sprite* SceneArt::gradientPost(double permil) {
    char key[32];
    std::snprintf(key, sizeof key, "grade%.0f", permil);
    if (const Sprite* s = named(key)) return s;
    Canvas c(64, 48);
    c.fillRect(0, 0, 64, 48, kWhite);
    c.fillRect(0, 0, 64, 3, kBlack);
    const double rise = permil > 0 ? 10 : permil < 0 ? -10 : 0;
    c.strokeLine({6, 24 + rise}, {58, 24 - rise}, 5, kBlack);
    drawText(c, permil == 0 ? "L" : std::to_string(int(std::lround(std::abs(permil)))), 32, 26, 20,
             kBlack, Align::Centre, true);
    return keep(key, c);
}

const Sprite* SceneArt::nameBoard(const std::string& name, const std::string& kana,
                                  const std::string& roman, const std::string& previous,
                                  const std::string& next) {
    const std::string key = "name_" + name + "_" + previous + "_" + next;
    if (const Sprite* s = named(key)) return s;
    Canvas c(320, 112);
    c.fillRect(0, 0, 320, 112, rgb(60, 60, 64));
    c.fillRect(4, 4, 316, 108, kWhite);
    drawText(c, name, 160, 8, 44, kBlack, Align::Centre, true);
    drawText(c, kana + "  " + roman, 160, 56, 15, rgb(60, 60, 60), Align::Centre);
    c.fillRect(4, 78, 316, 82, rgb(0, 140, 90));
    if (!previous.empty()) drawText(c, "← " + previous, 10, 86, 16, kBlack);
    if (!next.empty()) drawText(c, next + " →", 310, 86, 16, kBlack, Align::Right);
    return keep(key, c);
}

}  // namespace tovra::demo
