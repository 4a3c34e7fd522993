#include "report/RunSummary.h"

#include <algorithm>
#include <cmath>

namespace tovra {

namespace {

constexpr double kTicksPerSecond = 30;

bool isStationWork(RunEventKind kind) {
    return kind == RunEventKind::Stop || kind == RunEventKind::Departure ||
           kind == RunEventKind::DoorsOpened || kind == RunEventKind::DoorsClosed;
}

bool isIntervention(RunEventKind kind) {
    return kind == RunEventKind::ProtectionBrake || kind == RunEventKind::ProtectionEmergency ||
           kind == RunEventKind::Bell || kind == RunEventKind::Emergency;
}

// The stopping station whose zone holds `position`.
std::optional<std::int32_t> stationAt(const std::vector<StationRecord>& stations, double position) {
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const StationRecord& s = stations[i];
        if ((s.kind == 0 || s.kind == 2) && position >= double(s.zoneStart) &&
            position <= double(s.zoneEnd))
            return std::int32_t(i);
    }
    return std::nullopt;
}

void addToVisit(StationVisit& v, const RunEvent& e, const StationRecord& station) {
    switch (e.kind) {
        case RunEventKind::Stop:
            if (!v.arrival) v.arrival = e.clock;
            // Creeping up before the doors open moves the stop; after, it does not.
            if (!v.doorsOpened) v.stopError = (e.position - double(station.stopPosition)) / 100;
            break;
        case RunEventKind::DoorsOpened:
            if (v.doorsOpened) break;
            v.doorsOpened = e.clock;
            // The train stands where the doors open.
            v.stopError = (e.position - double(station.stopPosition)) / 100;
            break;
        case RunEventKind::DoorsClosed:
            v.doorsClosed = e.clock;
            break;
        case RunEventKind::Departure:
            v.departure = e.clock;
            break;
        default:
            break;
    }
}

RunScore scoreOf(const RunSummary& summary, const RunRecord& record,
                 const std::vector<StationRecord>& stations) {
    RunScore score;
    for (const StationVisit& v : summary.visits) {
        if (v.stopError) score.stops += std::int32_t(std::abs(*v.stopError) / 0.5);
        const std::optional<double> late =
            againstTimetable(stations[std::size_t(v.station)], v.departure);
        if (late) score.departures += *late < 0 ? 5 : std::int32_t(*late / 5);
    }
    for (const RunEvent& e : summary.interventions) {
        switch (e.kind) {
            case RunEventKind::ProtectionEmergency:
                score.protection += 20;
                break;
            case RunEventKind::Bell:
                score.protection += 3;
                break;
            default:
                score.protection += 10;
        }
    }
    score.overspeed = record.totals.overspeedTicks / 10;
    score.comfort = std::min(record.totals.jerks, 20);
    score.total = std::max(0, 100 - score.stops - score.departures - score.protection -
                                  score.overspeed - score.comfort);
    return score;
}

}  // namespace

std::optional<double> againstTimetable(const StationRecord& station,
                                       std::optional<std::int32_t> clock) {
    if (!clock || station.departureTime == 0) return std::nullopt;
    return (*clock - station.departureTime) / kTicksPerSecond;
}

RunSummary summariseRun(const RunRecord& record, const std::vector<StationRecord>& stations) {
    RunSummary summary;
    for (const RunEvent& e : record.events) {
        if (isIntervention(e.kind)) {
            summary.interventions.push_back(e);
            continue;
        }
        if (!isStationWork(e.kind)) continue;
        const std::optional<std::int32_t> s = stationAt(stations, e.position);
        if (!s) continue;
        auto& visits = summary.visits;
        if (visits.empty() || visits.back().station != *s || visits.back().leg != e.leg) {
            visits.emplace_back();
            visits.back().station = *s;
            visits.back().leg = e.leg;
        }
        addToVisit(visits.back(), e, stations[std::size_t(*s)]);
    }
    summary.score = scoreOf(summary, record, stations);
    return summary;
}

}  // namespace tovra
