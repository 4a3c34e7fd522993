#include "cab/StartState.h"

#include <algorithm>
#include <limits>

#include "cab/Cab.h"
#include "cab/Masconupdate.h"
#include "common/DataError.h"
#include "common/UiText.h"
#include "data/VehicleLoader.h"

namespace tovra {

namespace {

constexpr std::int32_t kTicksPerSecond = 30;
constexpr std::int32_t kAutomaticAirBrakeSteps = 4;
constexpr std::int32_t kMinimumNotchedBrakeSteps = 3;

}  // namespace

std::int32_t clampToClock(std::int64_t ticks) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        ticks, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void setCrewTexts(Cab& cab) {
    // With a conductor aboard the run opens with the train's length.
    cab.stations.doorMessage =
        cab.route.OneMan == 0 ? std::to_string(cab.vehicle.Cars) + cab.settings.Cars : "";
}

void markPassedSpeedChecks(Cab& cab) {
    auto& passed = cab.stations.speedCheck1Passed;
    passed.assign(cab.route.SpeedChecks1.size(), false);
    for (std::size_t k = 0; k < passed.size(); ++k)
        passed[k] = cab.route.SpeedChecks1[k].position < cab.state.Position;
}

const StationRecord& stationAt(const RouteSpec& route, std::int32_t index) {
    static const StationRecord empty{};
    return index < 0 ? empty : route.stationOrEmpty(static_cast<std::size_t>(index));
}

std::int32_t startClock(const RouteSpec& route, const RouteSoundSeconds& seconds,
                        std::int32_t startStation) {
    const bool fromFirst = startStation < 1;
    const StationRecord& s = stationAt(route, fromFirst ? 0 : startStation);
    std::int64_t clock = std::int64_t{s.departureTime} -
                         std::int64_t{kTicksPerSecond} * soundSeconds(seconds, s.departureSound);
    if (!fromFirst) clock -= std::int64_t{kTicksPerSecond} * soundSeconds(seconds, s.arrivalSound);
    return clampToClock(clock);
}

void setStartState(Cab& cab, std::int32_t startStation, std::int32_t crewChangeStation) {
    const StationRecord& station = stationAt(cab.route, startStation);
    StationState& st = cab.stations;
    st.startStation = startStation;
    st.crewChangeStation = crewChangeStation;
    const bool doorsOpen = station.kind == 0;
    cab.traction.doorsOpen = doorsOpen;
    // The door-closed pilot lamp is lit exactly while the doors are shut.
    cab.lamps.doorsClosed = !doorsOpen;
    cab.lamps.doorLampFitted = cab.sprites.find("img_Lamp_Door") != nullptr;
    st.doorOpening = doorsOpen ? 1 : 0;
    cab.stations.announcePos = startStation + 1;
    // The train stands at its first stop.
    st.nextStopIndex = startStation;
    cab.NextStopPosition = station.stopPosition;

    VehicleSpec& v = cab.vehicle;
    if (v.BrakeType == 0) v.Brake = kAutomaticAirBrakeSteps;
    TrainState& s = cab.state;
    s.BrakeHandle = s.BrakeNotch = s.SapNotch = -v.Brake;
    s.Speed = 0;
    s.PowerHandle = s.PowerNotch = s.ElecBrakeNotch = 0;
    s.BcPressT = static_cast<Extended>(v.EBPress);
    s.MrPress = static_cast<Extended>(v.HighAirPress);
    s.EngineState = 1;  // every vehicle's traction needs a running engine
    s.LineVoltage = 1500;

    cab.protection.PreTrainFrame = cab.route.PreTrainStart;
    st.stationText = fillIn(uiText("Stations", "ただいま %1"), {station.name});
    setCrewTexts(cab);
    masconupdate(cab);
}

void checkBrakeSteps(const VehicleSpec& vehicle) {
    if (vehicle.BrakeType != 0 && vehicle.Brake < kMinimumNotchedBrakeSteps) {
        throw DataError(uiText("DataFiles", kBrakeStepsError),
                        "[Brake] " + std::to_string(vehicle.Brake) + " with [BrakeType] " +
                            std::to_string(vehicle.BrakeType));
    }
}

void placeTrainAtStart(Cab& cab) {
    RouteSpec& route = cab.route;
    cab.state.Position = stationAt(route, cab.stations.startStation).stopPosition;
    markPassedSpeedChecks(cab);

    for (SignalRecord& signal : route.Signals) signal.aspect = signal.face = 0;
    for (MovieSwitch& movie : route.MovieSwitches) movie.Done = false;
    for (TrafficSignalRecord& light : route.TrafficSignals) {
        light.phase = 1;
        light.countdowns.fill(0);
    }
    cab.textBand = TextBand::of(cab.settings.VideoWidth, cab.settings.VideoHeight);
    // The option can start the run with the protection switched off.
    if (cab.options.ATS == 1) {
        cab.protection.AtsOn = false;
        cab.lamps.atsWhite = false;
    }
}

}  // namespace tovra
