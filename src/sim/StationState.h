#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/RouteSpec.h"

namespace tovra {

// How far the work at one station has come in this run.
struct StationProgress {
    bool arrived = false;  // inside the zone now
    bool doorsOpenedHere = false;
    bool stopCalloutGiven = false;
    bool departureStarted = false;
    bool departedHere = false;
};

// The run state of stations and doors, and which first speed checks the
// train has passed.
// Whether the doors are open is TractionState::doorsOpen.
struct StationState {
    // The door side chosen with Page Up / Page Down: 0 left, 1 right.
    std::int32_t doorSide = 0;
    std::int32_t doorOpening = 0;  // 1 after an opening command, 0 after a closing one
    std::int32_t currentStation = 0;
    std::int32_t startStation = 0;
    std::int32_t crewChangeStation = 0;
    std::int32_t nextStopIndex = 0;
    bool runEnded = false;
    std::int32_t doorEventClock = 0;

    std::string stationText;
    std::string doorMessage;
    std::string fromStationName;
    std::string toStationName;

    std::array<StationProgress, RouteSpec::kStationCapacity> progress{};

    // Drawn on entering a zone; the one-man door chimes sound when
    // chimeChance >= chimeRoll.
    std::int32_t chimeRoll = 0;
    std::int32_t chimeChance = 0;
    std::int32_t doorClosingCount = 0;
    std::int32_t overrunAnnouncedAt = -1;  // doorClosingCount when it last played
    std::array<bool, RouteSpec::kAnnouncementSlots> announcementPlayed{};
    bool returnToTitle = false;      // the run's end asks for the title screen
    bool crewChangeOffered = false;  // the crew-change dialog is to be shown

    // The timetable clock and the analogue clock's hand ends (hour, minute,
    // second) in its 50 x 50 picture.
    std::string clockText;
    std::int32_t clockSecond = -1;
    std::array<std::array<std::int32_t, 2>, 3> clockHands{};

    // Per "[SpeedCheck1]" entry: the train has passed it.
    std::vector<bool> speedCheck1Passed;

    std::int32_t announcePos = 0;  // next entry of the one-man announcement list
    bool requestPending = false;   // a passenger request is registered
    std::int32_t requestTime = 0;  // clock when it was registered
    // The passenger-request lamp: lit a while after the request, dark again
    // when the doors open.
    bool requestLamp = false;

    // Armed whenever the train has stopped at a station; the first power
    // notch with the doors closed disarms it.
    bool departureCalloutPending = false;
};

}  // namespace tovra
