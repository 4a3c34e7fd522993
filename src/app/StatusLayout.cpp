#include "app/StatusLayout.h"

#include "cab/Cab.h"
#include "common/Numeric.h"

namespace tovra {

namespace {

int even(Extended v) {
    return int(roundHalfEven(v));
}

}  // namespace

StatusStrings statusStringsOf(const Cab& cab) {
    StatusStrings s;
    s.notice = cab.statusTexts.noticeText;
    s.speed = cab.motion.SpeedText;
    s.reverser = cab.handleTexts.ReverserText;
    s.mascon = cab.handleTexts.MasconText;
    s.brake = cab.handleTexts.BrakeText;
    s.gear = cab.handleTexts.GearText;
    s.protection = cab.statusTexts.limitText;
    s.protection2 = cab.statusTexts.limitText2;
    s.message = cab.statusTexts.signalText;
    s.message2 = cab.statusTexts.signalMessage;
    s.door = cab.stations.doorMessage;
    s.station = cab.stations.stationText;
    s.clock = cab.stations.clockText;
    s.oneMan = cab.statusTexts.doorSideText;
    s.oneManRoute = cab.route.OneMan != 0;
    return s;
}

StatusLayout layoutStatusTexts(const StatusStrings& s, int width, int height, bool information,
                               bool moji, int noticeWidth) {
    const Extended w = width;
    const Extended h = height;
    StatusLayout layout;
    layout.shadow = even(w * 0.002L);
    auto& out = layout.texts;
    const auto at = [&](const std::string& text, Extended fx, Extended fy, int size) {
        out.push_back({text, even(w * fx), even(h * fy), size});
    };

    if (!information && !s.notice.empty()) {
        out.push_back({s.notice, even(w / 2) - even(Extended(noticeWidth) / 2),
                       even(h * (moji ? 0.9L : 0.05L)), even(w * 0.015L)});
    }
    if (moji) return layout;

    at(s.speed, 0.8L, 0.84L, even(w * 0.02L));
    const int size = even(w * 0.017L);
    at(s.reverser, 0.8L, 0.92L, size);
    at(s.mascon, 0.87L, 0.92L, size);
    at(s.brake, 0.92L, 0.92L, size);
    at(s.gear, 0.72L, 0.92L, size);
    if (!s.protection.empty()) at(s.protection, 0.7L, 0.78L, size);
    if (!s.protection2.empty()) at(s.protection2, 0.7L, 0.72L, size);
    int y = even(h * 0.8L);
    for (const std::string* line : {&s.message, &s.message2}) {
        if (line->empty()) continue;
        y -= even(h * 0.06L);
        out.push_back({*line, even(w * 0.01L), y, size});
    }
    at(s.door, 0.01L, 0.8L, size);
    at(s.station, 0.01L, 0.86L, size);
    at(s.clock, 0.01L, 0.92L, size);
    if (s.oneManRoute) at(s.oneMan, 0.15L, 0.92L, size);
    return layout;
}

}  // namespace tovra
