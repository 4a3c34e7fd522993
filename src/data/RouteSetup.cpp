#include "data/RouteSetup.h"

#include <algorithm>
#include <numeric>
#include <queue>
#include <set>
#include <span>
#include <vector>

namespace tovra {

namespace {

constexpr std::int32_t kStopSignalSpeed = 10;   // km/h
constexpr std::int32_t kStationStopSpeed = 10;  // km/h
constexpr Extended kBeyondStopPosition = 2000;  // cm: the station point lies 20 m past the stop

// A frame on the boundary of two segments lies in both. Segments that
// overlap could hold one frame thousands of times over; only the first two
// (in file order) count, which keeps the set-up linear in segments plus
// entries whatever the segments.
constexpr std::size_t kMostSegmentsPerFrame = 2;

struct Visit {
    std::size_t segment;
    std::size_t entry;
    auto operator<=>(const Visit&) const = default;
};

// The (segment, entry) pairs in which each frame lies, in segment order and,
// inside a segment, in entry order: a sweep over frames and segment starts.
std::vector<Visit> visitsOf(std::span<const SpeedUnit> units,
                            const std::vector<std::int32_t>& frames) {
    std::vector<std::size_t> byFrame(frames.size());
    std::iota(byFrame.begin(), byFrame.end(), std::size_t{0});
    std::stable_sort(byFrame.begin(), byFrame.end(),
                     [&](std::size_t a, std::size_t b) { return frames[a] < frames[b]; });
    std::vector<std::size_t> byStart(units.size());
    std::iota(byStart.begin(), byStart.end(), std::size_t{0});
    std::stable_sort(byStart.begin(), byStart.end(), [&](std::size_t a, std::size_t b) {
        return units[a].FirstFrame < units[b].FirstFrame;
    });

    std::set<std::size_t> open;  // segments begun and not yet ended, by file order
    const auto endsLater = [&](std::size_t a, std::size_t b) {
        return units[a].LastFrame > units[b].LastFrame;
    };
    std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(endsLater)> ends(endsLater);
    std::vector<Visit> visits;
    std::size_t next = 0;
    for (const std::size_t entry : byFrame) {
        const std::int32_t frame = frames[entry];
        for (; next < byStart.size() && units[byStart[next]].FirstFrame <= frame; ++next) {
            open.insert(byStart[next]);
            ends.push(byStart[next]);
        }
        while (!ends.empty() && units[ends.top()].LastFrame < frame) {
            open.erase(ends.top());
            ends.pop();
        }
        std::size_t taken = 0;
        for (auto it = open.begin(); it != open.end() && taken < kMostSegmentsPerFrame;
             ++it, ++taken)
            visits.push_back({*it, entry});
    }
    std::sort(visits.begin(), visits.end());
    return visits;
}

// Visits the entries of `table` segment by segment, and inside a segment in
// table order, with the position of each entry's frame through that segment.
// The order of the visits is the order in which pattern points are made.
template <typename Table, typename FrameOf, typename Use>
void walk(std::span<const SpeedUnit> units, Table& table, FrameOf frameOf, Use use) {
    std::vector<std::int32_t> frames;
    frames.reserve(table.size());
    for (const auto& entry : table) frames.push_back(frameOf(entry));
    for (const Visit& v : visitsOf(units, frames)) {
        use(table[v.entry], static_cast<std::int32_t>(v.entry),
            static_cast<Extended>(positionInSegment(units, v.segment, frames[v.entry])));
    }
}

void placeSpeedChecks(std::span<const SpeedUnit> units, std::vector<SpeedCheckRecord>& checks) {
    walk(
        units, checks, [](const SpeedCheckRecord& c) { return c.frame; },
        [](SpeedCheckRecord& c, std::int32_t, Extended position) { c.position = position; });
}

}  // namespace

PatternPoints setUpRoute(RouteSpec& route) {
    const std::span<const SpeedUnit> units(route.SpeedUnits);
    PatternPoints points;

    walk(
        units, route.Signals, [](const SignalRecord& s) { return s.signalFrame; },
        [&](SignalRecord&, std::int32_t k, Extended position) {
            points.push_back({position, kStopSignalSpeed, k, kPatternStopSignal});
        });
    walk(
        units, route.SpeedLimits, [](const SpeedLimitRecord& l) { return l.frame; },
        [&](SpeedLimitRecord& limit, std::int32_t k, Extended position) {
            points.push_back({position, limit.targetSpeed, k, limit.kind});
            limit.position = position;
        });
    placeSpeedChecks(units, route.SpeedChecks1);
    placeSpeedChecks(units, route.SpeedChecks2);
    walk(
        units, route.Stations, [](const StationRecord& s) { return s.videoFrame; },
        [&](StationRecord& station, std::int32_t k, Extended position) {
            if (station.kind == 0 && station.arrivalEvent == 1) {
                points.push_back(
                    {position + kBeyondStopPosition, kStationStopSpeed, k, kPatternStationStop});
            }
        });
    walk(
        units, route.Stations, [](const StationRecord& s) { return s.videoFrame; },
        [](StationRecord& station, std::int32_t, Extended position) {
            station.stopPosition = position;
            station.zoneStart = position - station.zoneHalfLength;
            station.zoneEnd = position + station.zoneHalfLength;
        });
    walk(
        units, route.TrafficSignals, [](const TrafficSignalRecord& t) { return t.stopFrame; },
        [](TrafficSignalRecord& t, std::int32_t, Extended position) { t.stopPosition = position; });
    walk(
        units, route.TrafficSignals, [](const TrafficSignalRecord& t) { return t.secondFrame; },
        [](TrafficSignalRecord& t, std::int32_t, Extended position) {
            t.secondPosition = position;
        });
    walk(
        units, route.DopplerSources, [](const DopplerSource& d) { return d.frame; },
        [](DopplerSource& d, std::int32_t, Extended position) { d.position = position; });
    walk(
        units, route.Tunnels, [](const TunnelRecord& t) { return t.entryFrame; },
        [](TunnelRecord& t, std::int32_t, Extended position) { t.entryPosition = position; });
    walk(
        units, route.Tunnels, [](const TunnelRecord& t) { return t.exitFrame; },
        [](TunnelRecord& t, std::int32_t, Extended position) { t.exitPosition = position; });

    std::stable_sort(
        points.begin(), points.end(),
        [](const PatternPoint& a, const PatternPoint& b) { return a.position < b.position; });
    return points;
}

}  // namespace tovra
