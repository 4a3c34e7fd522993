#include "remote/CabSnapshot.h"

#include <cstdio>

#include "cab/Cab.h"
#include "common/AsciiCase.h"
#include "report/RunSummary.h"

namespace tovra::remote {

namespace {

constexpr std::string_view kLampPrefix = "img_Lamp_";
constexpr std::int32_t kTicksPerSecond = 30;

bool isLamp(const std::string& name) {
    // Case counts: "img_lamp_p" and its kin are the notch indicators.
    return name.size() > kLampPrefix.size() &&
           name.compare(0, kLampPrefix.size(), kLampPrefix) == 0;
}

std::shared_ptr<const std::vector<StopResult>> stopResults(const Cab& cab) {
    auto results = std::make_shared<std::vector<StopResult>>();
    const RunSummary summary = summariseRun(cab.runRecord.record(), cab.route.Stations);
    for (const StationVisit& v : summary.visits) {
        // Only the latest leg's visit of a station counts.
        std::erase_if(*results, [&](const StopResult& r) { return r.station == v.station; });
        StopResult r;
        r.station = v.station;
        r.stopError = v.stopError;
        r.arrived = v.arrival;
        r.doorsOpened = v.doorsOpened;
        r.doorsClosed = v.doorsClosed;
        r.departed = v.departure;
        if (std::size_t(v.station) < cab.route.Stations.size())
            r.late = againstTimetable(cab.route.Stations[std::size_t(v.station)], v.departure);
        results->push_back(r);
    }
    return results;
}

}  // namespace

std::string clockString(std::int32_t clock) {
    const std::int32_t seconds = std::max<std::int32_t>(clock, 0) / kTicksPerSecond;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(seconds / 3600 % 100),
                  int(seconds / 60 % 60), int(seconds % 60));
    return text;
}

SnapshotTaker::SnapshotTaker(const Cab& cab) {
    auto facts = std::make_shared<RunFacts>();
    facts->routeFile = cab.routeFile();
    facts->vehicleFile = cab.vehicleFile();
    facts->lineName = cab.route.LineName;
    facts->limits.power = cab.vehicle.Power;
    facts->limits.brake = cab.vehicle.Brake;
    facts->limits.oneLever = cab.vehicle.Handle == 0;
    facts->hold = cab.vehicle.Hold == 1;
    const auto& sprites = cab.sprites.sprites();
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        if (isLamp(sprites[i].name)) {
            lampSprites_.push_back(i);
            facts->lampNames.push_back(sprites[i].name.substr(4));  // "Lamp_Door"
        } else if (equalsIgnoringCase(sprites[i].name, "img_cabsignal")) {
            cabSignalSprite_ = i;
        }
    }
    for (const StationRecord& s : cab.route.Stations) {
        TimetableRow row;
        row.name = s.name;
        row.kind = s.kind;
        if (s.departureTime != 0) row.departure = s.departureTime;
        facts->timetable.push_back(std::move(row));
    }
    facts_ = std::move(facts);
    results_ = std::make_shared<const std::vector<StopResult>>();
}

std::shared_ptr<const CabSnapshot> SnapshotTaker::take(const Cab& cab, std::int64_t tick,
                                                       std::int64_t commandsApplied) {
    const RunRecord& record = cab.runRecord.record();
    if (record.events.size() != eventsSeen_ || record.legs != legsSeen_) {
        eventsSeen_ = record.events.size();
        legsSeen_ = record.legs;
        results_ = stopResults(cab);
    }
    const TrainState& s = cab.state;
    const ProtectionState& p = cab.protection;
    auto shot = std::make_shared<CabSnapshot>();
    CabSnapshot& n = *shot;
    n.run = facts_;
    n.results = results_;
    n.tick = tick;
    n.logicTick = s.LogicTickCount;
    n.clock = s.Clock;
    n.paused = !cab.running();
    n.runEnded = cab.stations.runEnded;
    n.commandsApplied = commandsApplied;

    n.speed = double(s.Speed);
    n.position = double(s.Position) / 100;
    n.reverser = s.Reverser;
    n.reverserText = cab.handleTexts.ReverserText;
    n.powerHandle = s.PowerHandle;
    n.powerNotch = s.PowerNotch;
    n.powerMode = cab.handles.PowerMode;
    n.powerText = cab.handleTexts.MasconText;
    n.brakeHandle = -s.BrakeHandle;
    n.brakeNotch = -s.BrakeNotch;
    n.holdBrake = s.HoldBrake;
    n.brakeText = cab.handleTexts.BrakeText;
    n.constSpeed = s.ConstSpeed != 0;
    n.gearText = cab.handleTexts.GearText;

    n.bcM = double(s.BcPressM);
    n.bcT = double(s.BcPressT);
    n.mr = double(s.MrPress);
    n.er = double(s.ErPress);
    n.bp = double(s.BpPress);
    n.sap = double(s.SapPress);
    n.lineCurrent = double(s.AmmeterValue);
    n.lineVoltage = double(s.LineVoltage);
    n.elecBrakeCurrent = double(s.ElecBrakeCurrent);

    n.signalIndex = p.signalInView;
    n.signalFace = p.SignalFace;
    n.signalLimit = p.SignalLimit;
    n.sectionLimit = p.SectionLimit;
    n.patternSpeed = p.PatternSpeed;
    n.patternState = p.PatternState;
    n.limitText = cab.statusTexts.limitText;
    n.limitText2 = cab.statusTexts.limitText2;
    n.protectionOn = p.AtsOn;
    n.alarm = p.AtsAlarm;
    n.service = s.ProtectService;
    n.emergency = s.ProtectEmergency;

    const auto& sprites = cab.sprites.sprites();
    n.lamps.reserve(lampSprites_.size());
    for (std::size_t i : lampSprites_) n.lamps.push_back(i < sprites.size() && sprites[i].visible);
    if (cabSignalSprite_ && *cabSignalSprite_ < sprites.size() &&
        sprites[*cabSignalSprite_].visible)
        n.cabSignal = sprites[*cabSignalSprite_].patternIndex;

    n.doorsOpen = cab.traction.doorsOpen;
    n.doorOpening = cab.stations.doorOpening;
    n.doorSide = cab.stations.doorSide;
    n.currentStation = cab.stations.currentStation;
    n.nextStation = cab.stations.runEnded ? -1 : cab.stations.nextStopIndex;
    n.remaining = double(s.RemainDistance) / 100;
    n.stationText = cab.stations.stationText;
    n.clockText = cab.stations.clockText;
    return shot;
}

}  // namespace tovra::remote
