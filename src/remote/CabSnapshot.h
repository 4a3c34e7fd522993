#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "remote/RemoteCommand.h"

namespace tovra {
class Cab;
}

namespace tovra::remote {

// One row of the timetable as the route gives it.
struct TimetableRow {
    std::string name;
    std::int32_t kind = 0;                  // 0 stop, 1 pass, 2 stop without doors, 3 information
    std::optional<std::int32_t> departure;  // timetable departure, clock ticks
};

// What the run did at one station so far (a leg after a move starts anew).
struct StopResult {
    std::int32_t station = 0;
    std::optional<double> stopError;  // m beyond the stop mark, negative short of it
    std::optional<std::int32_t> arrived, doorsOpened, doorsClosed, departed;  // clock ticks
    std::optional<double> late;  // s after the timetable's departure
};

// What stays the same for the whole run: taken once when it is attached.
struct RunFacts {
    std::string routeFile, vehicleFile, lineName;
    CommandLimits limits;
    bool hold = false;  // the controller has a holding-brake position
    std::vector<std::string> lampNames;
    std::vector<TimetableRow> timetable;
};

// The cab's state after one tick, as a value: taken on the thread that runs
// the ticks and handed to the server, which turns it into JSON.
struct CabSnapshot {
    std::shared_ptr<const RunFacts> run;
    std::shared_ptr<const std::vector<StopResult>> results;

    std::int64_t tick = 0;  // physics ticks since the run started
    std::int32_t logicTick = 0;
    std::int32_t clock = 0;  // 1/30 s since midnight
    bool paused = false;
    bool runEnded = false;
    std::int64_t commandsApplied = 0;  // sequence number of the last command applied

    double speed = 0;     // km/h
    double position = 0;  // m
    std::int32_t reverser = 0;
    std::string reverserText;
    std::int32_t powerHandle = 0, powerNotch = 0, powerMode = 0;
    std::string powerText;
    std::int32_t brakeHandle = 0, brakeNotch = 0;  // 0 .. emergency, counted positive
    bool holdBrake = false;
    std::string brakeText;
    bool constSpeed = false;
    std::string gearText;

    double bcM = 0, bcT = 0, mr = 0, er = 0, bp = 0, sap = 0;  // kPa
    double lineCurrent = 0, lineVoltage = 0;                   // A, V
    double elecBrakeCurrent = 0;

    std::int32_t signalIndex = -1;  // the signal in view, -1 none
    std::int32_t signalFace = 0;    // 999 none
    std::int32_t signalLimit = 0;   // km/h, 999 none, 998 warning
    std::int32_t sectionLimit = 0;
    std::int32_t patternSpeed = 0;  // km/h, 999 none
    std::int32_t patternState = 0;
    std::string limitText, limitText2;
    bool protectionOn = false, alarm = false, service = false, emergency = false;

    std::vector<bool> lamps;                // RunFacts::lampNames' order
    std::optional<std::int32_t> cabSignal;  // the cab signal's pattern while lit

    bool doorsOpen = false;
    std::int32_t doorOpening = 0;
    std::int32_t doorSide = 0;
    std::int32_t currentStation = 0;
    std::int32_t nextStation = -1;
    double remaining = 0;  // m to the next stop
    std::string stationText, clockText;
};

// Takes snapshots of one run. Made on the ticks' thread after the run has
// loaded; keeps which sprites are lamps and the stop results, worked out
// again only when the run record has new events.
class SnapshotTaker {
  public:
    explicit SnapshotTaker(const Cab& cab);

    std::shared_ptr<const CabSnapshot> take(const Cab& cab, std::int64_t tick,
                                            std::int64_t commandsApplied);
    const std::shared_ptr<const RunFacts>& facts() const { return facts_; }

  private:
    std::shared_ptr<const RunFacts> facts_;
    std::vector<std::size_t> lampSprites_;
    std::optional<std::size_t> cabSignalSprite_;
    std::size_t eventsSeen_ = 0;
    std::int16_t legsSeen_ = 0;
    std::shared_ptr<const std::vector<StopResult>> results_;
};

// "HH:MM:SS" of a clock in 1/30 s since midnight.
std::string clockString(std::int32_t clock);

}  // namespace tovra::remote
