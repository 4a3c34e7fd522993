#include <algorithm>
#include <cmath>

#include "demo-gen/Callouts.h"
#include "demo-gen/Scene.h"
#include "demo-gen/SceneArt.h"
#include "demo-gen/Synth.h"
#include "demo-gen/Wayside.h"

namespace tovra::demo {

namespace {

// World track indices (LinePlan): the two mains, the two loops, two crossovers.
constexpr int kDownMain = 0, kUpMain = 1, kDownLoop = 2, kUpLoop = 3;
constexpr double kGauge = 1.067, kRailHead = 0.065, kPlatformEdge = 1.55, kPlatformWidth = 4.0;
constexpr double kPlatformHeight = 1.1;
constexpr double kFar = 3000;

Lateral fixed(double x) {
    return {-1, x};
}
Lateral onTrack(int track, double offset) {
    return {track, offset};
}

class Builder {
  public:
    Builder(const LinePlan& plan, SceneArt& art) : w_(plan.world), art_(art), random_(2024) {
        scene_.world = &plan.world;
        scene_.tunnels.push_back({w_.tunnelFrom, w_.tunnelTo});
    }

    Scene build() {
        terrain();
        track();
        stations();
        catenary();
        signals();
        signs();
        crossing();
        tunnel();
        bridge();
        scenery();
        return std::move(scene_);
    }

  private:
    double begin() const { return w_.bufferUp - 600; }
    double end() const { return w_.bufferDown + 600; }
    bool nearStation(double c, double margin) const {
        for (const StationSite& s : w_.stations)
            if (c > s.platformFrom - margin && c < s.platformTo + margin) return true;
        return false;
    }
    bool inRiver(double c, double margin) const {
        return c > w_.bridgeFrom - margin && c < w_.bridgeTo + margin;
    }
    bool nearTunnel(double c, double margin) const {
        return c > w_.tunnelFrom - margin && c < w_.tunnelTo + margin;
    }
    bool busy(double c, double margin) const {
        return nearStation(c, margin) || inRiver(c, margin) || nearTunnel(c, margin) ||
               std::abs(c - w_.crossing) < margin;
    }

    void band(double from, double to, Lateral l, Lateral r, Surface s, Colour c) {
        scene_.ground.push_back({from, to, l, r, s, c});
    }

    // Grass, the fields beyond, and town ground by the stations.
    void terrain() {
        const Colour grass = rgb(96, 124, 64);
        for (const auto& [a, b] :
             {std::pair{begin(), w_.bridgeFrom}, std::pair{w_.bridgeTo, end()}})
            band(a, b, fixed(-kFar), fixed(kFar), Surface::Grass, grass);
        const Colour crops[] = {rgb(104, 138, 60), rgb(130, 110, 78), rgb(92, 122, 58),
                                rgb(150, 150, 84), rgb(118, 96, 66),  rgb(84, 120, 70)};
        for (double c = begin(); c < end(); c += 40) {
            if (nearStation(c, 90) || inRiver(c, 40) || nearTunnel(c, 200) ||
                std::abs(c - w_.crossing) < 30)
                continue;
            for (int side : {-1, 1})
                for (int cell = 0; cell < 8; ++cell) {
                    const int pick = int(random_.uniform() * 6);
                    const double x0 = 12 + cell * 32, x1 = x0 + 30;
                    band(c, c + 38, fixed(side < 0 ? -x1 : x0), fixed(side < 0 ? -x0 : x1),
                         pick == 1 || pick == 4 ? Surface::Soil : Surface::Grass, crops[pick]);
                }
        }
        for (const StationSite& s : w_.stations) {
            const double spread = s.passingLoop ? 14 : 10;
            for (int side : {-1, 1})
                band(s.platformFrom - 60, s.platformTo + 60, fixed(side < 0 ? -90 : spread),
                     fixed(side < 0 ? -spread : 90), Surface::Flat, rgb(128, 128, 124));
        }
        // The line's own strip of rough grass, and the bridge deck over the river.
        band(begin(), end(), fixed(-6.6), fixed(6.6), Surface::Grass, rgb(120, 118, 84));
        band(w_.bridgeFrom, w_.bridgeTo, fixed(-4.4), fixed(4.4), Surface::Flat, rgb(100, 96, 90));
    }

    void track() {
        const auto& tracks = w_.tracks;
        band(w_.tunnelFrom, w_.tunnelTo, fixed(-5.2), fixed(5.2), Surface::Flat, rgb(92, 90, 86));
        for (std::size_t t = 0; t < tracks.size(); ++t)
            band(tracks[t].from(), tracks[t].to(), onTrack(int(t), -1.6), onTrack(int(t), 1.6),
                 Surface::Ballast, rgb(132, 124, 112));
        for (std::size_t t = 0; t < tracks.size(); ++t)
            band(tracks[t].from(), tracks[t].to(), onTrack(int(t), -1.0), onTrack(int(t), 1.0),
                 Surface::Sleepers, rgb(176, 172, 164));
        band(w_.crossing - 3.5, w_.crossing + 3.5, fixed(-kFar), fixed(kFar), Surface::Road,
             rgb(78, 78, 80));
        const double rail = kGauge / 2 + kRailHead / 2;
        for (std::size_t t = 0; t < tracks.size(); ++t)
            for (double side : {-rail, rail}) {
                band(tracks[t].from(), tracks[t].to(), onTrack(int(t), side - 0.07),
                     onTrack(int(t), side + 0.07), Surface::Flat, rgb(92, 70, 56));
                band(tracks[t].from(), tracks[t].to(), onTrack(int(t), side - kRailHead / 2),
                     onTrack(int(t), side + kRailHead / 2), Surface::RailHead, rgb(190, 194, 198));
            }
        // Buffer stops at both ends of the line.
        for (int t : {kDownMain, kUpMain}) {
            scene_.boards.push_back(
                {w_.bufferDown, onTrack(t, 0), 3.0, 0, 1.6, 1, art_.named("buffer")});
            scene_.boards.push_back(
                {w_.bufferUp, onTrack(t, 0), 3.0, 0, 1.6, -1, art_.named("buffer")});
        }
    }

    void platform(const StationSite& s, int track, int side, const std::string& previous,
                  const std::string& next) {
        // side -1: the platform lies left of its track.
        const double edge = kPlatformEdge * side, outer = (kPlatformEdge + kPlatformWidth) * side;
        const Lateral edgeAt = onTrack(track, edge), outerAt = onTrack(track, outer);
        const Lateral left = side < 0 ? outerAt : edgeAt, right = side < 0 ? edgeAt : outerAt;
        scene_.decks.push_back({s.platformFrom, s.platformTo, left, right, kPlatformHeight,
                                Surface::PlatformTop, rgb(176, 174, 168), side > 0});
        scene_.walls.push_back({s.platformFrom, s.platformTo, edgeAt, 0, kPlatformHeight,
                                kPlatformHeight, -side, Surface::Flat, rgb(112, 110, 104)});
        scene_.walls.push_back({s.platformFrom, s.platformTo, outerAt, kPlatformHeight,
                                kPlatformHeight + 1.2, kPlatformHeight + 1.2, 0, Surface::Fence,
                                rgb(150, 156, 160)});
        const double mid = (s.platformFrom + s.platformTo) / 2;
        const double canopyIn = (kPlatformEdge + 1.0) * side;
        scene_.decks.push_back({mid - 55, mid + 55, side < 0 ? outerAt : onTrack(track, canopyIn),
                                side < 0 ? onTrack(track, canopyIn) : outerAt, 3.7, Surface::Flat,
                                rgb(84, 86, 90)});
        scene_.walls.push_back({mid - 55, mid + 55, onTrack(track, canopyIn), 3.55, 4.0, 4.0, -side,
                                Surface::Flat, rgb(226, 224, 214)});
        for (double c = mid - 50; c <= mid + 50; c += 10)
            scene_.boards.push_back({c, onTrack(track, (kPlatformEdge + 2.8) * side), 0.22,
                                     kPlatformHeight, 3.7, 0, art_.named("column"),
                                     art_.named("column")});
        const Sprite* name = art_.nameBoard(s.name, s.kana, s.roman, previous, next);
        for (double c : {mid - 38, mid + 42})
            scene_.boards.push_back(
                {c, onTrack(track, (kPlatformEdge + 2.0) * side), 3.2, 2.1, 3.22, 0, name, name});
        for (int k = 0; k < 12; ++k) {
            const double c =
                s.platformFrom + 15 + random_.uniform() * (s.platformTo - s.platformFrom - 30);
            const double x = (kPlatformEdge + 1.3 + random_.uniform() * 2.2) * side;
            const Sprite* p = art_.person(int(random_.uniform() * 5));
            scene_.boards.push_back(
                {c, onTrack(track, x), 0.5, kPlatformHeight, kPlatformHeight + 1.62, 0, p, p});
        }
        // The station house behind the platform.
        scene_.walls.push_back({mid - 20, mid + 20, onTrack(track, outer + 3.0 * side), 0, 7.5, 7.5,
                                -side, Surface::Facade, rgb(214, 206, 190)});
        for (double c : {mid - 20, mid + 20})
            scene_.boards.push_back({c, onTrack(track, outer + 8.0 * side), 10, 0, 9.5,
                                     c < mid ? 1 : -1, art_.houseEnd(3)});
    }

    void stations() {
        const auto& st = w_.stations;
        for (std::size_t i = 0; i < st.size(); ++i) {
            const StationSite& s = st[i];
            const std::string prev = i > 0 ? st[i - 1].name : "",
                              next = i + 1 < st.size() ? st[i + 1].name : "";
            platform(s, s.passingLoop ? kDownLoop : kDownMain, -1, prev, next);
            platform(s, s.passingLoop ? kUpLoop : kUpMain, 1, next, prev);
            // Stop marks where each direction's cab stops.
            scene_.boards.push_back(
                {s.downStop, onTrack(s.passingLoop ? kDownLoop : kDownMain, -1.9), 0.5,
                 kPlatformHeight + 0.9, kPlatformHeight + 1.4, 1, art_.named("stop_mark")});
            scene_.boards.push_back({s.upStop, onTrack(s.passingLoop ? kUpLoop : kUpMain, 1.9), 0.5,
                                     kPlatformHeight + 0.9, kPlatformHeight + 1.4, -1,
                                     art_.named("stop_mark")});
        }
    }

    void catenary() {
        for (double c = std::ceil(w_.bufferUp / 50) * 50; c <= w_.bufferDown; c += 50) {
            if (c > w_.tunnelFrom - 5 && c < w_.tunnelTo + 5) continue;
            const bool loops = c > 2020 && c < 2480;
            const double x = loops ? 8.9 : 4.3;
            for (double side : {-x, x})
                scene_.boards.push_back(
                    {c, fixed(side), 0.35, 0, 7.2, 0, art_.named("pole"), art_.named("pole")});
            scene_.boards.push_back(
                {c, fixed(0), 2 * x + 0.6, 6.45, 6.8, 0, art_.named("beam"), art_.named("beam")});
        }
        for (int t : {kDownMain, kUpMain, kDownLoop, kUpLoop}) {
            const TrackPath& path = w_.tracks[std::size_t(t)];
            scene_.wires.push_back(
                {onTrack(t, 0), 5.1, path.from(), path.to(), 0.2, rgb(40, 40, 38)});
            scene_.wires.push_back(
                {onTrack(t, 0), 6.3, path.from(), path.to(), 0.0, rgb(52, 52, 50)});
        }
    }

    // Lateral beside the track a train going `dir` runs on, on its left.
    Lateral leftOf(Direction dir, double metres) const {
        return dir == Direction::Down ? Lateral{kDownMain, -metres} : Lateral{kUpMain, metres};
    }
    int facing(Direction dir) const { return dir == Direction::Down ? 1 : -1; }
    double backwards(Direction dir, double c, double metres) const {
        return c - (dir == Direction::Down ? metres : -metres);
    }
    bool loopAt(double c) const { return c > 2060 && c < 2440; }

    void signals() {
        for (const SignalSite& s : w_.signals) {
            Lateral at = leftOf(s.dir, 2.3);
            if (loopAt(s.chainage))
                at = s.dir == Direction::Down ? Lateral{kDownLoop, -2.3} : Lateral{kUpLoop, 2.3};
            const bool round = s.type == 0;
            scene_.boards.push_back({s.chainage, at, 0.22, 0, round ? 3.9 : 3.6, 0,
                                     art_.named("mast"), art_.named("mast")});
            scene_.boards.push_back({s.chainage, at, round ? 0.9 : 0.7, round ? 3.9 : 3.4,
                                     round ? 4.8 : 4.9, facing(s.dir), art_.signalHead(s.type),
                                     art_.named("signal_back")});
            // The protection beacon between the rails in front of the signal.
            const double beacon = backwards(s.dir, s.chainage, 20);
            const Lateral track = s.dir == Direction::Down
                                      ? Lateral{loopAt(beacon) ? kDownLoop : kDownMain, 0}
                                      : Lateral{loopAt(beacon) ? kUpLoop : kUpMain, 0};
            scene_.boards.push_back(
                {beacon, track, 0.45, 0.0, 0.14, 0, art_.named("beacon"), art_.named("beacon")});
        }
    }

    void post(Direction dir, double c, const Sprite* sprite, double width, double height) {
        scene_.boards.push_back(
            {c, leftOf(dir, 2.4), 0.07, 0, 1.5, 0, art_.named("mast"), art_.named("mast")});
        scene_.boards.push_back({c, leftOf(dir, 2.4), width, 1.5, 1.5 + height, facing(dir), sprite,
                                 art_.named("signal_back")});
    }

    void signs() {
        for (Direction dir : {Direction::Down, Direction::Up}) {
            for (const ZoneStretch& z : zonesOf(w_, dir)) {
                post(dir, backwards(dir, z.entry, 80), art_.limitBoard(z.speed), 0.6, 0.7);
                post(dir, z.exit, art_.named("release"), 0.6, 0.6);
            }
            for (const SlopeStretch& s : slopesOf(w_, dir)) {
                post(dir, s.from, art_.gradientPost(s.permil), 0.8, 0.6);
                post(dir, s.to, art_.gradientPost(0), 0.8, 0.6);
            }
        }
        for (const WaysideBoard& b : w_.boards)
            post(b.dir, b.chainage,
                 b.image == kWhistleBoard ? art_.named("whistle") : art_.named("approach"),
                 b.image == kWhistleBoard ? 0.6 : 0.8, 0.6);
        for (int hm = int(std::ceil(w_.bufferUp / 100)); hm * 100 <= w_.bufferDown; ++hm) {
            if (hm < 0 || (hm * 100 > w_.tunnelFrom && hm * 100 < w_.tunnelTo)) continue;
            const Sprite* km = art_.kmPost(hm);
            scene_.boards.push_back({hm * 100.0, fixed(-4.0), 0.3, 0, 0.75, 0, km, km});
        }
    }

    void crossing() {
        const double x = w_.crossing;
        for (double dc : {-4.6, 4.6})
            for (double lateral : {-3.9, 3.9})
                scene_.boards.push_back({x + dc, fixed(lateral), 1.1, 0, 3.4, 0,
                                         art_.crossingSignal(0), art_.crossingSignal(0),
                                         art_.crossingSignal(1)});
        // Barriers down across both lanes, and cars waiting behind them.
        for (double dc : {-4.0, 4.0}) {
            scene_.boards.push_back({x + dc, fixed(dc < 0 ? -6.2 : 6.2), 6.5, 0.85, 1.05, 0,
                                     art_.named("barrier"), art_.named("barrier")});
        }
        scene_.boards.push_back({x - 1.8, fixed(-13.5), 4.3, 0, 1.6, 0, art_.car(1), art_.car(1)});
        scene_.boards.push_back({x + 1.8, fixed(14.0), 4.3, 0, 1.6, 0, art_.car(2), art_.car(2)});
        scene_.boards.push_back({x + 1.8, fixed(21.0), 4.3, 0, 1.6, 0, art_.car(0), art_.car(0)});
    }

    void tunnel() {
        const double a = w_.tunnelFrom, b = w_.tunnelTo;
        // Walls reach a little above the vault and the vault a little beyond
        // the walls, so that no sky shows at the corners.
        for (double side : {-5.0, 5.0})
            scene_.walls.push_back({a, b, fixed(side), 0, 6.6, 6.6, side < 0 ? 1 : -1,
                                    Surface::TunnelWall, rgb(96, 94, 90)});
        scene_.decks.push_back(
            {a, b, fixed(-5.3), fixed(5.3), 6.2, Surface::Flat, rgb(70, 70, 68)});
        // Cuttings lead up to the portals.
        for (double side : {-7.5, 7.5}) {
            scene_.walls.push_back({a - 150, a, fixed(side), 0, 0, 14, side < 0 ? 1 : -1,
                                    Surface::Grass, rgb(84, 104, 62)});
            scene_.walls.push_back({b, b + 150, fixed(side), 0, 14, 0, side < 0 ? 1 : -1,
                                    Surface::Grass, rgb(84, 104, 62)});
        }
        scene_.boards.push_back({a, fixed(0), 120, -1, 44, 1, art_.named("portal")});
        scene_.boards.push_back({b, fixed(0), 120, -1, 44, -1, art_.named("portal")});
    }

    void bridge() {
        const double a = w_.bridgeFrom, b = w_.bridgeTo;
        scene_.decks.push_back(
            {a, b, fixed(-kFar), fixed(kFar), -3.5, Surface::Water, rgb(70, 104, 118)});
        for (double side : {-4.4, 4.4})
            scene_.walls.push_back(
                {a, b, fixed(side), -1.6, 0.9, 0.9, 0, Surface::Girder, rgb(70, 96, 90)});
        scene_.boards.push_back({a, fixed(0), 2 * kFar, -3.6, 0.02, -1, art_.named("bank")});
        scene_.boards.push_back({b, fixed(0), 2 * kFar, -3.6, 0.02, 1, art_.named("bank")});
    }

    void house(double c, double x) {
        const double length = 8 + random_.uniform() * 6, depth = 7 + random_.uniform() * 3,
                     height = 5 + random_.uniform() * 2;
        const int variant = int(random_.uniform() * 8);
        const double side = x < 0 ? -1 : 1;
        const double near = x - side * depth / 2;
        scene_.walls.push_back({c, c + length, fixed(near), 0, height, height, x < 0 ? 1 : -1,
                                Surface::Facade,
                                scaled(rgb(220, 210, 190), float(0.8 + 0.25 * random_.uniform()))});
        scene_.walls.push_back({c, c + length, fixed(near + side * 0.8), height, height + 2.6,
                                height + 2.6, 0, Surface::Flat, rgb(88, 84, 92)});
        const Sprite* end = art_.houseEnd(variant);
        scene_.boards.push_back({c, fixed(x), depth + 1.6, 0, height + 3.4, 1, end});
        scene_.boards.push_back({c + length, fixed(x), depth + 1.6, 0, height + 3.4, -1, end});
    }

    void scenery() {
        for (double c = begin() + 40; c < end() - 40; c += 9) {
            if (inRiver(c, 25)) continue;
            const bool town = nearStation(c, 160);
            for (int side : {-1, 1}) {
                if (town && random_.uniform() < 0.3 && !nearStation(c, 10)) {
                    house(c, side * (24 + random_.uniform() * 50));
                    continue;
                }
                if (nearTunnel(c, 60) || std::abs(c - w_.crossing) < 25) continue;
                if (random_.uniform() < (town ? 0.25 : 0.55)) {
                    const double x = side * (11 + std::pow(random_.uniform(), 1.5) * 180);
                    const double h = 6 + random_.uniform() * 7;
                    const Sprite* t = art_.tree(int(random_.uniform() * 6));
                    scene_.boards.push_back(
                        {c + random_.uniform() * 8, fixed(x), h * 0.75, 0, h, 0, t, t});
                }
                if (!town && random_.uniform() < 0.05)
                    house(c, side * (40 + random_.uniform() * 120));
            }
        }
    }

    const LineWorld& w_;
    SceneArt& art_;
    Random random_;
    Scene scene_;
};

}  // namespace

Scene buildScene(const LinePlan& plan, SceneArt& art) {
    return Builder(plan, art).build();
}

}  // namespace tovra::demo
