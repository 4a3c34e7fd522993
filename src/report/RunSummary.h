#pragma once

#include <optional>
#include <vector>

#include "data/RouteSpec.h"
#include "report/RunRecord.h"

namespace tovra {

// The train's time at one station in one leg.
struct StationVisit {
    std::int32_t station = 0;
    std::int16_t leg = 0;
    std::optional<double> stopError;  // m beyond the stop mark, negative short of it
    std::optional<std::int32_t> arrival, doorsOpened, doorsClosed, departure;  // clock ticks
};

// The score and what each rule took off it.
struct RunScore {
    std::int32_t stops = 0, departures = 0, protection = 0, overspeed = 0, comfort = 0;
    std::int32_t total = 0;
};

struct RunSummary {
    std::vector<StationVisit> visits;
    std::vector<RunEvent> interventions;  // protection brakes, bells, emergency brakes
    RunScore score;
};

// Seconds from the timetable's departure time to `clock`; none when the
// station has no departure time.
std::optional<double> againstTimetable(const StationRecord& station,
                                       std::optional<std::int32_t> clock);

RunSummary summariseRun(const RunRecord& record, const std::vector<StationRecord>& stations);

}  // namespace tovra
