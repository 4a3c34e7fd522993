#include "data/RouteSetup.h"

#include <algorithm>
#include <span>

namespace tovra {

namespace {

constexpr std::int32_t kStopSignalSpeed = 10;   // km/h
constexpr std::int32_t kStationStopSpeed = 10;  // km/h
constexpr Extended kBeyondStopPosition = 2000;  // cm: the station point lies 20 m past the stop

// Visits the entries of `table` segment by segment, and inside a segment in
// table order, with the position of each entry's frame through that segment.
// The order of the visits is the order in which pattern points are made.
template <typename Table, typename FrameOf, typename Use>
void walk(std::span<const SpeedUnit> units, Table& table, FrameOf frameOf, Use use) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        for (std::size_t k = 0; k < table.size(); ++k) {
            const std::int32_t frame = frameOf(table[k]);
            if (containsFrame(units[i], frame)) {
                use(table[k], static_cast<std::int32_t>(k),
                    static_cast<Extended>(positionInSegment(units, i, frame)));
            }
        }
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
