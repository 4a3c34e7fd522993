#include "demo-gen/LinePlan.h"

#include <algorithm>
#include <cmath>

namespace tovra::demo {

namespace {

constexpr double kTrackOffset = 1.9;  // each main track from the line's centre
constexpr double kLoopOffset = 5.9;   // the passing loops at Sakuragaoka

LineWorld buildWorld() {
    const std::vector<Curve> curves{{300, 600, -1200},
                                    {1650, 1950, 800},
                                    {2600, 2850, -1000},
                                    {3560, 3800, 700},
                                    {4800, 5000, -900}};
    const std::vector<Grade> grades{{800, 1400, 5},    {2500, 3100, -8}, {3500, 3850, 15},
                                    {3950, 4400, -18}, {4750, 5000, -6}, {5100, 5800, 3}};
    LineWorld w{.alignment = Alignment(curves, grades, -600, 6400)};
    w.curves = curves;
    w.grades = grades;
    w.stations = {
        {"北原", "きたはら", "Kitahara", 0, -200, -215, 12},
        {"緑町", "みどりちょう", "Midoricho", 1150, 960, 945, 1165},
        {"桜ヶ丘", "さくらがおか", "Sakuragaoka", 2350, 2150, 2135, 2365, true},
        {"川端", "かわばた", "Kawabata", 3450, 3250, 3235, 3465},
        {"南台", "みなみだい", "Minamidai", 4650, 4450, 4435, 4665},
        {"港町", "みなとまち", "Minatomachi", 5700, 5500, 5485, 5715},
    };
    w.bufferUp = -235;  // the end of the line at Kitahara
    w.bufferDown = 5735;
    const double a = w.bufferUp, b = w.bufferDown;
    const TrackPath downLoop(
        {{2030, -kTrackOffset}, {2090, -kLoopOffset}, {2400, -kLoopOffset}, {2460, -kTrackOffset}});
    const TrackPath upLoop(
        {{2040, kTrackOffset}, {2100, kLoopOffset}, {2410, kLoopOffset}, {2470, kTrackOffset}});
    w.tracks = {
        TrackPath(a, b, -kTrackOffset),
        TrackPath(a, b, kTrackOffset),
        downLoop,
        upLoop,
        TrackPath({{40, -kTrackOffset}, {100, kTrackOffset}}),     // crossover at Kitahara
        TrackPath({{5580, -kTrackOffset}, {5640, kTrackOffset}}),  // crossover at Minatomachi
    };
    w.downPath = TrackPath({{a, -kTrackOffset},
                            {2030, -kTrackOffset},
                            {2090, -kLoopOffset},
                            {2400, -kLoopOffset},
                            {2460, -kTrackOffset},
                            {b, -kTrackOffset}});
    w.upPath = TrackPath({{a, kTrackOffset},
                          {2040, kTrackOffset},
                          {2100, kLoopOffset},
                          {2410, kLoopOffset},
                          {2470, kTrackOffset},
                          {b, kTrackOffset}});
    w.tunnelFrom = 3750;
    w.tunnelTo = 4050;
    w.crossing = 1520;
    w.bridgeFrom = 5010;
    w.bridgeTo = 5070;
    w.lineSpeed = 95;
    // Speed zones reach a train length past the points a train leaves by.
    w.speedZones = {{2020, 2570, 45, true, false},
                    {1920, 2480, 45, false, true},
                    {3560, 3800, 80},
                    {5400, b, 50, true, false},
                    {a, 250, 50, false, true}};
    using enum Direction;
    using enum SignalRole;
    w.signals = {
        {Down, 60, 3, Starting, 0},    {Down, 600, 4, Block, -1, 1},
        {Down, 880, 2, Home, 1},       {Down, 1230, 3, Starting, 1},
        {Down, 1750, 5, Block, -1, 2}, {Down, 1990, 4, Home, 2, 0, true},
        {Down, 2420, 3, Starting, 2},  {Down, 2950, 6, Block, -1, 3},
        {Down, 3180, 2, Home, 3},      {Down, 3520, 3, Starting, 3},
        {Down, 3700, 0, Repeater},     {Down, 4000, 4, Block, -1, 4},
        {Down, 4380, 2, Home, 4},      {Down, 4720, 3, Starting, 4},
        {Down, 5150, 1, Distant},      {Down, 5400, 2, Home, 5},
        {Up, 5440, 3, Starting, 5},    {Up, 4980, 4, Block, -1, 1},
        {Up, 4730, 2, Home, 4},        {Up, 4390, 3, Starting, 4},
        {Up, 4150, 0, Repeater},       {Up, 3800, 4, Block, -1, 2},
        {Up, 3520, 2, Home, 3},        {Up, 3190, 3, Starting, 3},
        {Up, 2750, 6, Block, -1, 3},   {Up, 2530, 4, Home, 2, 0, true},
        {Up, 2080, 3, Starting, 2},    {Up, 1650, 5, Block, -1, 4},
        {Up, 1240, 2, Home, 1},        {Up, 900, 3, Starting, 1},
        {Up, 500, 1, Distant},         {Up, 280, 2, Home, 0},
    };
    w.turnouts = {{Down, 40}, {Down, 2030}, {Down, 2460}, {Down, 5580},
                  {Up, 5640}, {Up, 2470},   {Up, 2040},   {Up, 100}};
    // Other-sign pictures: 1 whistle board, 3 station approach board.
    w.boards = {{Down, 1300, 1, 3}, {Down, 3600, 1, 3}, {Down, 550, 3, 0},  {Down, 1720, 3, 0},
                {Down, 2850, 3, 0}, {Down, 4100, 3, 0}, {Down, 5100, 3, 0}, {Up, 1820, 1, 3},
                {Up, 4300, 1, 3},   {Up, 5090, 3, 0},   {Up, 2720, 3, 0},   {Up, 1600, 3, 0},
                {Up, 400, 3, 0}};
    return w;
}

// Legs between consecutive stops of `stops` (chainages in running order),
// with the speed zones of the direction in leg metres.
std::vector<Leg> legsOf(const LineWorld& w, Direction dir, const std::vector<double>& stops,
                        double top) {
    std::vector<Leg> legs;
    const int sign = dir == Direction::Down ? 1 : -1;
    for (std::size_t i = 0; i + 1 < stops.size(); ++i) {
        Leg leg{std::abs(stops[i + 1] - stops[i]), double(top), {}};
        for (const SpeedZone& z : w.speedZones) {
            if (!(dir == Direction::Down ? z.down : z.up)) continue;
            const double p = (z.from - stops[i]) * sign, q = (z.to - stops[i]) * sign;
            const double lo = std::min(p, q), hi = std::max(p, q);
            if (hi > 0 && lo < leg.length) leg.limits.push_back({lo, hi, double(z.speed)});
        }
        legs.push_back(leg);
    }
    return legs;
}

RunPlan buildRun(const LineWorld& w, Direction dir) {
    RunPlan run;
    run.dir = dir;
    run.sign = dir == Direction::Down ? 1 : -1;
    run.videoName = dir == Direction::Down ? "line_down" : "line_up";
    std::vector<double> stops;
    for (std::size_t i = 0; i < w.stations.size(); ++i) {
        const std::size_t k = dir == Direction::Down ? i : w.stations.size() - 1 - i;
        run.stationOrder.push_back(int(k));
        stops.push_back(dir == Direction::Down ? w.stations[k].downStop : w.stations[k].upStop);
    }
    run.origin = stops.front();
    // After the last stop the film creeps on towards the buffer stop, so that
    // the line's end can lie a little beyond the stop position.
    constexpr double kTail = 20;
    std::vector<double> withTail = stops;
    withTail.push_back(stops.back() + kTail * run.sign);
    std::vector<Leg> legs = legsOf(w, dir, withTail, w.lineSpeed);
    legs.back().topSpeed = 8;
    const PlannedRun planned = planRun(legs);
    run.profile = SpeedProfile(planned.units);
    run.stopFrames.push_back(0);
    for (std::size_t i = 0; i + 1 < planned.legEndFrames.size(); ++i)
        run.stopFrames.push_back(planned.legEndFrames[i]);
    run.endStopFrame = run.frameAt(stops.back() + kTail / 2 * run.sign);
    run.frameCount = run.profile.lastFrame() + 1;
    return run;
}

// Seconds a train needs from one stop to the next stop it makes, passing the
// stations between without stopping.
double runSeconds(const LineWorld& w, Direction dir, double from, double to) {
    const PlannedRun p = planRun(legsOf(w, dir, {from, to}, w.lineSpeed));
    return p.legEndFrames.back() / 30.0;
}

int roundUpTo5s(double seconds) {
    return int(std::ceil(seconds / 5.0)) * 5 * 30;
}

// Times of a service: departures after a dwell (seconds per station), run
// times with a margin for trains slower than the one that was filmed. Passing
// times are shared out by distance, for the staff card.
void timetable(const LineWorld& w, const RunPlan& run, ServicePlan& s, int firstDeparture,
               const std::vector<int>& dwell) {
    const auto n = run.stationOrder.size();
    const auto stop = [&](std::size_t k) {
        const StationSite& st = w.stations[std::size_t(run.stationOrder[k])];
        return run.dir == Direction::Down ? st.downStop : st.upStop;
    };
    s.arrivals.assign(n, 0);
    s.departures.assign(n, 0);
    s.departures[0] = firstDeparture;
    std::size_t last = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (s.kinds[i] == 1) continue;
        const int ticks = roundUpTo5s(runSeconds(w, run.dir, stop(last), stop(i)) * 1.1 + 5);
        s.arrivals[i] = s.departures[last] + ticks;
        s.departures[i] = s.arrivals[i] + dwell[i] * 30;
        for (std::size_t k = last + 1; k < i; ++k) {
            const double share = std::abs(stop(k) - stop(last)) / std::abs(stop(i) - stop(last));
            s.departures[k] = s.departures[last] + int(std::lround(share * ticks / 150.0)) * 150;
        }
        last = i;
    }
}

// A train running ahead on the same track, `headway` seconds earlier.
std::vector<PrecedingLeg> precedingTrain(const ServicePlan& s, int headway) {
    std::vector<PrecedingLeg> legs;
    for (std::size_t i = 1; i + 1 < s.kinds.size(); ++i)
        legs.push_back({int(i), 65, s.departures[i] - headway * 30});
    return legs;
}

ServicePlan service(Direction dir, std::vector<int> kinds, bool oneMan) {
    ServicePlan s;
    s.dir = dir;
    s.kinds = std::move(kinds);
    s.oneMan = oneMan;
    return s;
}

LinePlan buildPlan() {
    LinePlan plan{.world = buildWorld()};
    plan.down = buildRun(plan.world, Direction::Down);
    plan.up = buildRun(plan.world, Direction::Up);

    const RunPlan& down = plan.down;
    const int stationVideoFrames = 450;
    const int stretchFirst = down.frameAt(700);
    const int stretchLength = 330;
    plan.subVideos = {
        {"sta_sakuragaoka", 2, down.stopFrames[2], down.stopFrames[2], stationVideoFrames, 2,
         stationVideoFrames},
        // Driving resumes a few frames on, so that a train slightly faster
        // than the film still meets the switch back.
        {"pass_oncoming", 1, stretchFirst, stretchFirst + stretchLength - 30, stretchLength,
         stretchFirst + stretchLength + 8, stretchLength + 70},
    };

    const std::vector<int> localDwell{0, 30, 75, 30, 30, 0};
    ServicePlan local = service(Direction::Down, {0, 0, 0, 0, 0, 0}, false);
    local.routeFile = "line_rapid_down.dat";
    local.serviceName = "各駅停車";
    local.lineName = "みなと線 下り 各駅停車 北原→港町";
    local.shortName = "下り各停 北原→港町";
    timetable(plan.world, plan.down, local, clockTicks(10, 0, 0), localDwell);
    local.preceding = precedingTrain(local, 180);
    local.subVideos = plan.subVideos;

    ServicePlan rapid = service(Direction::Down, {0, 1, 0, 2, 3, 0}, true);
    rapid.routeFile = "line_rapid_utl.dat";
    rapid.serviceName = "快速";
    rapid.lineName = "みなと線 下り 快速 北原→港町 (ワンマン)";
    rapid.shortName = "下り快速 北原→港町";
    timetable(plan.world, plan.down, rapid, clockTicks(11, 10, 0), {0, 0, 60, 20, 15, 0});
    rapid.preceding = precedingTrain(rapid, 240);
    rapid.subVideos = plan.subVideos;

    ServicePlan upLocal = service(Direction::Up, {0, 0, 0, 0, 0, 0}, false);
    upLocal.routeFile = "line_rapid_up.dat";
    upLocal.serviceName = "各駅停車";
    upLocal.lineName = "みなと線 上り 各駅停車 港町→北原";
    upLocal.shortName = "上り各停 港町→北原";
    timetable(plan.world, plan.up, upLocal, clockTicks(10, 40, 0), {0, 30, 30, 60, 30, 0});
    upLocal.preceding = precedingTrain(upLocal, 180);

    for (ServicePlan* s : {&local, &rapid, &upLocal}) {
        // The terminal's departure is the train's next working, well after the
        // run has ended there.
        s->departures.back() = s->arrivals.back() + 20 * 60 * 30;
    }
    plan.services = {local, rapid, upLocal};
    return plan;
}

}  // namespace

const LinePlan& linePlan() {
    static const LinePlan plan = buildPlan();
    return plan;
}

}  // namespace tovra::demo
