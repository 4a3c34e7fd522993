#include "demo-gen/RouteWriter.h"

#include <algorithm>
#include <cmath>

#include "demo-gen/CabCamera.h"
#include "demo-gen/Callouts.h"
#include "demo-gen/DataText.h"
#include "demo-gen/RouteAudio.h"
#include "demo-gen/RoutePictures.h"
#include "demo-gen/Wayside.h"

namespace tovra::demo {

namespace {

using Lines = std::vector<std::string>;

constexpr int kZoneHalfLength = 1000;  // cm: the stopping window is 10 m either side
constexpr int kSwitchId = 1;           // every points sound of the vehicles answers to it
constexpr int kNoCheck = 999;          // km/h: a speed check that never applies

// Everything the sections need, worked out once.
struct Route {
    const LinePlan& plan;
    const ServicePlan& service;
    const RunPlan& run;
    RouteAudio audio;
    RouteCallouts callouts;
    RoutePictures pictures;
    std::vector<const SignalSite*> signals;

    std::size_t stations() const { return run.stationOrder.size(); }
    const StationSite& site(std::size_t i) const {
        return plan.world.stations[std::size_t(run.stationOrder[i])];
    }
    double stop(std::size_t i) const {
        return run.dir == Direction::Down ? site(i).downStop : site(i).upStop;
    }
    int frame(double chainage) const {
        return std::clamp(run.frameAt(chainage), 1, run.frameCount - 1);
    }
    // A chainage `metres` before `chainage` for this direction.
    double before(double chainage, double metres) const { return chainage - run.sign * metres; }
    // Route index of a station site, or -1.
    int routeIndex(int site) const {
        const auto it = std::find(run.stationOrder.begin(), run.stationOrder.end(), site);
        return it == run.stationOrder.end() ? -1 : int(it - run.stationOrder.begin());
    }
    // The station whose stop lies last before `chainage`.
    int stationBefore(double chainage) const {
        int found = 0;
        for (std::size_t i = 0; i < stations(); ++i)
            if (!run.ahead(chainage, stop(i))) found = int(i);
        return found;
    }
    // Scheduled time the train passes `chainage`: shared out by distance
    // between the departure behind and the arrival ahead.
    int timeAt(double chainage) const {
        std::size_t from = 0, to = stations() - 1;
        for (std::size_t i = 0; i < stations(); ++i) {
            if (service.kinds[i] == 1) continue;
            if (!run.ahead(chainage, stop(i))) from = i;
        }
        for (std::size_t i = stations(); i-- > from + 1;)
            if (service.kinds[i] != 1) to = i;
        const double share =
            std::abs(chainage - stop(from)) / std::max(1.0, std::abs(stop(to) - stop(from)));
        const int t = service.departures[from] +
                      int(share * (service.arrivals[to] - service.departures[from]));
        return t / 150 * 150;
    }
};

void lineSections(DataText& t, const Route& r) {
    const auto& s = r.service;
    t.section("[LineName]", {s.lineName}).section("[LineName2]", {s.shortName});
    t.section("[StartPos]", {"0"}).section("[FrameRate]", {"30"});
    t.section("[Staf]", {"", r.pictures.opening, r.pictures.staff});
    t.section("[Friction]", {"0.30"});
    t.list("[StafSwitch]", {"0"});
    t.list("[MovieStop]", {std::to_string(r.run.endStopFrame)});
    if (!s.subVideos.empty()) {
        Lines rows;
        for (const SubVideo& v : s.subVideos) {
            if (v.mode == 2) {
                const int station = v.target;
                rows.push_back(csv(2, v.firstFrame, v.lastFrame, v.name, v.length, station,
                                   s.arrivals[std::size_t(station)] + 5 * 30, 30,
                                   r.audio.passingTrain));
            } else {
                rows.push_back(
                    csv(v.mode, v.firstFrame, v.lastFrame, v.name, v.length, v.target, 0, 0, 0));
            }
        }
        t.list("[MovieSwitch]", rows);
    }
    t.list("[Speed_Signal]", {"0", "25", "45", "75", "120", "130"});
    t.section("[DataName]", {r.run.videoName});
    t.section("[Perspective]",
              {decimal(kPerspectiveDistance, 2), std::to_string(perspectiveScale())});
    Lines preceding{csv(r.run.stopFrames[1], r.run.frameCount - 200)};
    for (const PrecedingLeg& leg : s.preceding)
        preceding.push_back(csv(leg.station, leg.pace, leg.departure));
    t.list("[Pre_Train]", preceding);
    t.section("[OneMan]", {s.oneMan ? "1" : "0"});
}

void soundSections(DataText& t, const Route& r) {
    Lines files;
    for (const auto& item : r.audio.items) files.push_back(item.file);
    t.list("[SoundData]", files);
    // Before each station with doors: "next" on leaving the stop before it,
    // then "soon" on the approach.
    Lines announce{std::to_string(r.audio.overrun)};
    int lastStop = 0;
    for (std::size_t k = 1; k < r.stations(); ++k) {
        if (r.service.kinds[k] == 1) continue;
        if (r.service.kinds[k] == 0) {
            announce.push_back(csv(r.audio.nextStop[k], 0, lastStop, 150));
            announce.push_back(csv(r.audio.approach[k], 1, int(k), 400));
        }
        lastStop = int(k);
    }
    t.list("[Announce]", announce);
    Lines fixed;
    for (const auto& c : fixedCallouts()) fixed.push_back(c.file);
    t.section("[KankoSound1]", fixed);
    Lines second;
    for (const auto& c : r.callouts.second) second.push_back(c.file);
    t.list("[KankoSound2]", second);

    const LineWorld& w = r.plan.world;
    const double tunnelIn = r.run.sign > 0 ? w.tunnelFrom : w.tunnelTo;
    const double tunnelOut = r.run.sign > 0 ? w.tunnelTo : w.tunnelFrom;
    const double bridgeIn = r.run.sign > 0 ? w.bridgeFrom : w.bridgeTo;
    const double bridgeOut = r.run.sign > 0 ? w.bridgeTo : w.bridgeFrom;
    // Speed-dependent one-shots: the roar through the tunnel, the rumble on
    // the bridge, a train going by on the other track.
    Lines zones{csv(r.audio.tunnel, r.frame(tunnelIn), r.frame(tunnelOut), 80, 0, 1, 1, 0),
                csv(r.audio.bridge, r.frame(bridgeIn), r.frame(bridgeOut), 60, 0, 1, 1, 0)};
    for (const SubVideo& v : r.service.subVideos)
        if (v.mode != 2)
            zones.push_back(
                csv(r.audio.passingTrain, v.firstFrame + 150, v.firstFrame + 250, 90, 0, 0, 0, 0));
    for (std::size_t i = 0; i < r.stations(); ++i) {
        if (r.service.kinds[i] != 1) continue;
        // Heard once on the platform of a station passed, whatever the speed.
        zones.push_back(csv(r.audio.passWarning, r.frame(r.before(r.stop(i), 260)),
                            r.frame(r.stop(i)), 200, 0, 0, 0, 1));
    }
    t.line("; 走行中の環境音").list("[Sound]", zones);
    t.list("[Sound2]", {csv(r.audio.cabAir, 0, int(r.stations()) - 1)});
    const int crossingStation = r.stationBefore(w.crossing);
    t.list("[Doppler]",
           {csv(r.audio.crossingBell, r.frame(w.crossing), 30000, 0, crossingStation)});
    t.list("[Tunnel]", {csv(r.frame(tunnelIn), r.frame(tunnelOut), 0)});
    t.list("[Atten]", {csv(r.frame(tunnelIn), r.frame(tunnelOut), 0, 130)});
    t.section("[TunnelR]", {"1"});
}

void stationSections(DataText& t, const Route& r) {
    Lines rows, stopSounds;
    for (std::size_t i = 0; i < r.stations(); ++i) {
        const int kind = r.service.kinds[i];
        const bool oneMan = r.service.oneMan;
        const int sectionLimit = i + 1 >= r.stations() ? 60 : r.plan.world.lineSpeed;
        rows.push_back(csv(r.site(i).name, kind, r.run.stopFrames[i], kZoneHalfLength,
                           r.audio.arrival[i], r.audio.departure[i], r.audio.platform,
                           r.service.departures[i], sectionLimit, kind == 0 ? 1 : 0, int(i % 2),
                           oneMan && kind == 0 ? 30 : 0, 100, 0, oneMan ? 100 : 0));
        stopSounds.push_back("0");
    }
    t.line(
         "; 駅: 名前, 種別, 停止位置のフレーム, 停止範囲(cm), 到着放送, 発車メロディ, 駅構内の音, "
         "発車時刻,")
        .line(";     区間制限, 停車駅パターン, 停止線, 乗降促進, 促進時間, ホーム側, ドアチャイム")
        .list("[Station]", rows);
    t.list("[StopSound]", stopSounds);
}

void signalSections(DataText& t, const Route& r) {
    Lines rows, callouts;
    double previous = r.stop(0);
    for (std::size_t k = 0; k < r.signals.size(); ++k) {
        const SignalSite& s = *r.signals[k];
        const int station = s.station >= 0 ? r.routeIndex(s.station) : -1;
        // A starting signal stays at stop until the departure melody starts,
        // where the train stops at all.
        const bool held = s.role == SignalRole::Starting && station >= 0 &&
                          r.service.kinds[std::size_t(station)] != 1;
        const int view = r.frame(std::abs(s.chainage - previous) > 405 ? r.before(s.chainage, 400)
                                                                       : r.before(previous, -5));
        const int far =
            std::max(20, r.frame(std::abs(s.chainage - previous) > 620 ? r.before(s.chainage, 600)
                                                                       : r.before(previous, -20)));
        const int at = r.frame(s.chainage);
        const int near = s.role == SignalRole::Repeater ? at : r.frame(r.before(s.chainage, 20));
        // Route and speed indicators, one under the other left of the head
        // (the display stands at the right edge), only where the line
        // divides; the others stand off the display.
        const int sideX = s.routeIndicator ? -44 : -1000;
        const int routeY = s.routeIndicator ? 8 : -1000, speedY = s.routeIndicator ? 36 : -1000;
        rows.push_back(csv(
            held ? 3 : 0, 0, 0, s.type, view, at, s.role == SignalRole::Repeater ? at : far, near,
            0, 0, std::max(0, station), 0, 0, 0, sideX, routeY, 0, sideX, speedY, 0, 104, 0));
        previous = s.chainage;
        if (s.role == SignalRole::Starting && station >= 0 &&
            std::size_t(station) + 1 < r.stations()) {
            // "出発 進行", then the next stop.
            std::size_t next = std::size_t(station) + 1;
            callouts.push_back(csv(int(k), 2, r.callouts.stopCallout[next]));
        }
        if (s.type == 6) callouts.push_back(csv(int(k), 1, r.timeAt(s.chainage)));
    }
    t.line("; 信号機").list("[Signal]", rows);

    Lines slopes;
    for (const SlopeStretch& s : slopesOf(r.plan.world, r.run.dir))
        slopes.push_back(csv(decimal(s.permil, 1), r.frame(s.from), r.frame(s.to)));
    t.list("[Slope]", slopes);

    Lines signs;
    for (const WaysideBoard& b : r.plan.world.boards)
        if (b.dir == r.run.dir)
            signs.push_back(csv(b.image, r.frame(r.before(b.chainage, 150)), r.frame(b.chainage),
                                b.changeAfter));
    t.list("[Sign]", signs);
    const double crossing = r.plan.world.crossing;
    t.list("[Anim]", {csv(r.frame(r.before(crossing, 400)), r.frame(crossing), 3, 1)});
    t.list("[SignalKanko]", callouts);
}

void stationCallouts(DataText& t, const Route& r) {
    Lines rows;
    for (std::size_t i = 0; i < r.stations(); ++i) {
        const int kind = r.service.kinds[i];
        if (kind == 1) continue;
        const int st = int(i);
        rows.push_back(csv(st, 4, r.callouts.positionOk));             // stopped
        if (i > 0) rows.push_back(csv(st, 0, r.service.arrivals[i]));  // doors open: on time?
        if (i + 1 == r.stations()) continue;
        rows.push_back(csv(st, 1, r.callouts.platformOk));    // melody
        rows.push_back(csv(st, 2, 999));                      // doors closed: the signal
        rows.push_back(csv(st, 3, r.service.departures[i]));  // departing: on time?
        if (!r.service.oneMan) rows.push_back(csv(st, 5, r.callouts.stopCallout[i + 1]));
    }
    t.list("[StationKanko]", rows);
}

// A second-set check holds from its point to the next entry's point, so each
// zone's end gets an entry of its own: the speed of the zones still in force
// there, or 999, which checks nothing.
Lines stretchChecks(const std::vector<ZoneStretch>& zones, const Route& r) {
    struct Stretch {
        int entry, exit, speed;
    };
    std::vector<Stretch> stretches;
    std::vector<int> bounds;
    for (const ZoneStretch& z : zones) {
        stretches.push_back({r.frame(z.entry), r.frame(z.exit), z.speed});
        bounds.push_back(stretches.back().entry);
        bounds.push_back(stretches.back().exit);
    }
    std::sort(bounds.begin(), bounds.end());
    bounds.erase(std::unique(bounds.begin(), bounds.end()), bounds.end());
    Lines rows;
    int inForce = kNoCheck;
    for (const int frame : bounds) {
        int speed = kNoCheck;
        for (const Stretch& s : stretches)
            if (s.entry <= frame && frame < s.exit) speed = std::min(speed, s.speed);
        if (speed != inForce) rows.push_back(csv(speed, 0, frame, 0));
        inForce = speed;
    }
    return rows;
}

void limitSections(DataText& t, const Route& r) {
    Lines limits, checks1;
    const std::vector<ZoneStretch> zones = zonesOf(r.plan.world, r.run.dir);
    for (const ZoneStretch& z : zones) {
        const int entry = r.frame(z.entry), exit = r.frame(z.exit);
        limits.push_back(
            csv(z.speed, r.frame(r.before(z.entry, 200)), 1, entry, limitSignIndex(z.speed), exit));
    }
    const Lines checks2 = stretchChecks(zones, r);
    for (std::size_t k = 0; k < r.signals.size(); ++k) {
        const SignalSite& s = *r.signals[k];
        if (s.role != SignalRole::Home) continue;
        checks1.push_back(
            csv(25, r.frame(r.before(s.chainage, 100)), r.frame(r.before(s.chainage, 50)), int(k)));
    }
    t.list("[SpeedLimit]", limits).list("[SpeedCheck1]", checks1).list("[SpeedCheck2]", checks2);
}

void pictureSections(DataText& t, const Route& r) {
    const RoutePictures& p = r.pictures;
    Lines signs;
    for (const auto& s : p.signs) signs.push_back(csv(s.file, s.size));
    t.section("[SignImageList]", signs);
    Lines signal{csv(p.signalDisplayX, p.signalDisplayY, p.signal.patternWidth,
                     p.signal.patternHeight, p.signal.file)};
    for (const auto& s : p.subSignals)
        signal.push_back(csv(s.patternWidth, s.patternHeight, s.file));
    t.section("[SignalImageList]", signal);
    Lines other, limit;
    for (const auto& c : r.callouts.other) other.push_back(c.file);
    for (const auto& c : r.callouts.limit) limit.push_back(c.file);
    t.list("[OtherKanko]", other).list("[LimitKanko]", limit);
    t.list("[AnimImageList]", p.anims);
}

void frameSections(DataText& t, const Route& r) {
    Lines units;
    for (const SpeedUnit& u : r.run.profile.units())
        units.push_back(csv(u.FirstFrame, u.LastFrame,
                            decimal(double(u.FirstSpeed), kSpeedDecimals),
                            decimal(double(u.LastSpeed), kSpeedDecimals)));
    t.line("; 撮影速度: 開始フレーム, 終了フレーム, 開始速度, 終了速度").list("[SpeedUnit]", units);
    t.list("[CrossImageList]", r.pictures.crossings);
    const double crossing = r.plan.world.crossing;
    t.list("[Cross]", {csv(1, r.callouts.crossingOk, r.frame(r.before(crossing, 400)),
                           r.frame(r.before(crossing, -20)), r.stationBefore(crossing))});
    // Time checks half-way along two stretches.
    Lines times;
    for (std::size_t i : {std::size_t(1), std::size_t(3)}) {
        const double point = (r.stop(i) + r.stop(i + 1)) / 2;
        times.push_back(
            csv(r.frame(r.before(point, 100)), r.frame(r.before(point, -100)), r.timeAt(point)));
    }
    t.list("[Time]", times);
    Lines switches;
    for (const Turnout& turnout : r.plan.world.turnouts)
        if (turnout.dir == r.run.dir) switches.push_back(csv(r.frame(turnout.chainage), kSwitchId));
    t.list("[Switch]", switches);
}

}  // namespace

void writeRouteFile(const std::filesystem::path& root, const LinePlan& plan,
                    const ServicePlan& service) {
    const Route r{plan,
                  service,
                  plan.run(service.dir),
                  routeAudio(plan, service),
                  routeCallouts(plan, service),
                  routePictures(service),
                  signalsOf(plan.world, service.dir)};
    DataText t;
    t.line("; " + service.lineName + " 路線ファイル (デモデータ生成プログラムが作成)").line();
    lineSections(t, r);
    soundSections(t, r);
    stationSections(t, r);
    signalSections(t, r);
    stationCallouts(t, r);
    limitSections(t, r);
    pictureSections(t, r);
    frameSections(t, r);
    t.save(root / service.routeFile);
}

}  // namespace tovra::demo
