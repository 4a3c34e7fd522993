#include "data/RouteSections.h"

#include <algorithm>

#include "common/DataError.h"

namespace tovra::route {

namespace {

constexpr auto kUnclosedIsError = DataFileReader::Unclosed::IsError;

std::int32_t firstInteger(std::string_view line) {
    return parseInteger(CsvField(line, 1));
}

}  // namespace

void readStaffSwitch(Reading& r) {
    auto& frames = r.result.StaffSwitchFrames;
    frames.clear();
    // The line after the tag is an entry even when it begins with "#".
    r.reader.read_line();
    frames.push_back(firstInteger(r.reader.line()));
    r.reader.read_list(RouteSpec::kStaffSwitchCapacity, kUnclosedIsError, [&](std::size_t) {
        ensureRoom(frames.size(), RouteSpec::kStaffSwitchCapacity);
        frames.push_back(firstInteger(r.reader.line()));
    });
}

void readMovieStop(Reading& r) {
    auto& frames = r.result.MovieStopFrames;
    frames.fill(0);
    r.reader.read_list(frames.size(), kUnclosedIsError,
                       [&](std::size_t i) { frames[i] = firstInteger(r.reader.line()); });
}

void readMovieSwitch(Reading& r) {
    static constexpr IntegerFields<MovieSwitch, 3> kLead{
        &MovieSwitch::Mode, &MovieSwitch::FirstFrame, &MovieSwitch::LastFrame};
    static constexpr IntegerFields<MovieSwitch, 5> kTail{
        &MovieSwitch::Length, &MovieSwitch::Target, &MovieSwitch::Time, &MovieSwitch::SoundFrame,
        &MovieSwitch::Sound};
    readList(r.reader, r.result.MovieSwitches, RouteSpec::kMovieSwitchCapacity,
             [](std::string_view line) {
                 MovieSwitch entry;
                 readIntegerFields(line, entry, kLead);
                 entry.File = textField(line, 4);
                 readIntegerFields(line, entry, kTail, 5);
                 return entry;
             });
}

void readPreTrain(Reading& r) {
    r.reader.read_line();
    r.result.PreTrainStart = firstInteger(r.reader.line());
    r.result.PreTrainEnd = parseInteger(CsvField(r.reader.line(), 2));
    readIntegerList(r.reader, r.result.PreTrain, RouteSpec::kPreTrainCapacity,
                    IntegerFields<PreTrainLeg, 3>{&PreTrainLeg::Station, &PreTrainLeg::Step,
                                                  &PreTrainLeg::DepartTime});
}

void readMonitor(Reading& r) {
    // Another vehicle's picture: the lines after the name are ordinary lines.
    if (r.reader.read_text() != r.vehicleFileName) return;
    MonitorPicture monitor;
    monitor.present = true;
    monitor.x = r.reader.read_integer();
    monitor.y = r.reader.read_integer();
    monitor.patternWidth = r.reader.read_integer();
    monitor.patternHeight = r.reader.read_integer();
    monitor.image = r.reader.read_text();
    r.result.Monitor = monitor;
}

void readAnnounce(Reading& r) {
    static constexpr IntegerFields<Announcement, 4> kFields{
        &Announcement::Sound, &Announcement::Kind, &Announcement::Station, &Announcement::Distance};
    auto& table = r.result.Announcements;
    table.assign(1, Announcement{});
    table.front().Sound = r.reader.read_integer();
    r.reader.read_list(RouteSpec::kAnnouncementSlots - 1, kUnclosedIsError, [&](std::size_t) {
        Announcement entry;
        readIntegerFields(r.reader.line(), entry, kFields);
        table.push_back(entry);
    });
}

void readKankoSound1(Reading& r) {
    // Exactly the next 22 lines, whatever they begin with.
    for (std::size_t i = 0; i < RouteSpec::kFixedCallouts; ++i) {
        r.result.CalloutSounds[i] = r.reader.read_text();
    }
}

void readKankoSound2(Reading& r) {
    auto& sounds = r.result.CalloutSounds;
    const auto first = sounds.begin() + RouteSpec::kFixedCallouts;
    std::fill(first, sounds.end(), std::string());
    r.result.CalloutSound2Count = r.reader.read_list(
        sounds.size() - RouteSpec::kFixedCallouts, kUnclosedIsError, [&](std::size_t i) {
            first[static_cast<std::ptrdiff_t>(i)] = CsvField(r.reader.line(), 1);
        });
}

void readStations(Reading& r) {
    static constexpr IntegerFields<StationRecord, 14> kFields{
        &StationRecord::kind,           &StationRecord::videoFrame,
        &StationRecord::zoneHalfLength, &StationRecord::arrivalSound,
        &StationRecord::departureSound, &StationRecord::zoneSound,
        &StationRecord::departureTime,  &StationRecord::sectionLimit,
        &StationRecord::arrivalEvent,   &StationRecord::stopMarkType,
        &StationRecord::field12,        &StationRecord::field13,
        &StationRecord::platformSide,   &StationRecord::chimeChance};
    readList(r.reader, r.result.Stations, RouteSpec::kStationCapacity, [](std::string_view line) {
        StationRecord station;
        station.name = CsvField(line, 1);
        readIntegerFields(line, station, kFields, 2);
        return station;
    });
}

void readStationKanko(Reading& r) {
    readIntegerList(r.reader, r.result.StationCallouts, RouteSpec::kStationCalloutCapacity,
                    IntegerFields<StationCallout, 3>{
                        &StationCallout::Station, &StationCallout::When, &StationCallout::Callout});
}

void readSpeedUnits(Reading& r) {
    if (r.speedUnitLines) r.speedUnitLines->clear();
    readList(r.reader, r.result.SpeedUnits, RouteSpec::kSpeedUnitCapacity,
             [&r](std::string_view line) {
                 SpeedUnit unit;
                 unit.FirstFrame = parseInteger(CsvField(line, 1));
                 unit.LastFrame = parseInteger(CsvField(line, 2));
                 unit.FirstSpeed = parseDecimal(CsvField(line, 3));
                 unit.LastSpeed = parseDecimal(CsvField(line, 4));
                 if (!isWithinFilmSpeed(unit)) throw ReadFailure("a filming speed out of range");
                 if (r.speedUnitLines) r.speedUnitLines->push_back(r.reader.lineNumber());
                 return unit;
             });
}

void readTimeCallouts(Reading& r) {
    readIntegerList(r.reader, r.result.TimeCallouts, RouteSpec::kTimeCalloutCapacity,
                    IntegerFields<TimeCallout, 3>{&TimeCallout::FirstFrame, &TimeCallout::LastFrame,
                                                  &TimeCallout::Code});
}

}  // namespace tovra::route
