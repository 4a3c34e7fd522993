#include "run/SavedState.h"

#include <cmath>

#include "cab/Cab.h"
#include "common/DataError.h"
#include "common/TextFields.h"

namespace tovra {

namespace {

// Far beyond any position of a line, and still a whole 64-bit number when
// the state is saved again.
constexpr Extended kLargestPosition = 1.0e15L;  // cm
// Beyond any train; a speed far past it runs the frame counter over within
// seconds.
constexpr Extended kFastestSpeed = 1000;  // km/h

Extended boundedDecimal(std::string_view text, Extended largest) {
    const Extended value = parseDecimal(text);
    if (!(std::fabs(value) <= largest))
        throw ReadFailure("not a number in range: " + std::string(text));
    return value;
}

}  // namespace

SavedState captureState(const Cab& cab, std::string routeFile) {
    SavedState s;
    s.routeFile = std::move(routeFile);
    s.station = cab.stations.currentStation;
    s.speed = cab.state.Speed;
    s.frame = cab.state.Frame;
    s.clock = cab.state.Clock;
    s.position = cab.state.Position;
    s.preTrainFrame = cab.protection.PreTrainFrame;
    return s;
}

std::string formatSavedState(const SavedState& s) {
    const auto whole = [](Extended v) { return std::to_string(roundHalfEven(v)); };
    return s.routeFile + "," + std::to_string(s.station) + "," + whole(s.speed) + "," +
           std::to_string(s.frame) + "," + std::to_string(s.clock) + "," + whole(s.position) + "," +
           std::to_string(s.preTrainFrame);
}

SavedState parseSavedState(std::string_view text) {
    SavedState s;
    s.routeFile = CsvField(text, 1);
    s.station = parseInteger(CsvField(text, 2));
    s.speed = boundedDecimal(CsvField(text, 3), kFastestSpeed);
    s.frame = parseInteger(CsvField(text, 4));
    s.clock = parseInteger(CsvField(text, 5));
    s.position = boundedDecimal(CsvField(text, 6), kLargestPosition);
    s.preTrainFrame = parseInteger(CsvField(text, 7));
    return s;
}

std::string stretchTitle(const RouteSpec& route, Extended position) {
    std::string title;
    const std::size_t count = route.Stations.size();
    for (std::size_t i = 0; i < count; ++i) {
        const bool last = i + 1 == count;
        if (position >= route.Stations[i].stopPosition &&
            (last || position < route.Stations[i + 1].stopPosition)) {
            title = route.LineName2 + "（" + route.Stations[i].name + "～" +
                    route.stationOrEmpty(i + 1).name + "）";
        }
    }
    return title;
}

}  // namespace tovra
