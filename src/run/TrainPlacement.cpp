#include "run/TrainPlacement.h"

#include <cmath>

#include "cab/Cab.h"
#include "cab/VideoSwitching.h"
#include "sim/FilmPace.h"
#include "sound/RunningSounds.h"

namespace tovra {

namespace {

constexpr std::int32_t kStationVideo = 1;
constexpr std::int32_t kMovingVideo = 2;

bool signalInView(const Cab& cab, std::int32_t frame) {
    for (const SignalRecord& s : cab.route.Signals)
        if (s.viewFrame < frame && frame < s.signalFrame) return true;
    for (const TrafficSignalRecord& t : cab.route.TrafficSignals)
        if (t.viewFirstFrame < frame && frame < t.viewLastFrame) return true;
    return false;
}

void hideSignals(Cab& cab) {
    for (const ImageSlot& slot : kSignalImageSlots)
        if (Sprite* sprite = cab.sprites.find(slot.name)) sprite->visible = false;
    ProtectionState& p = cab.protection;
    p.SignalFace = kNoFace;
    // The same pair the aspect update records once it has hidden the sprites.
    p.signalInView = -1;
    p.shownFace = -1;
    p.traffic = TrafficSignalView{};
}

// Without this the next frame advance would take the train for one that
// just crossed into the section and put it at the section's boundary.
void syncVideoSection(Cab& cab) {
    findFilmSection(cab.film, cab.route, cab.state.Frame);
}

}  // namespace

void returnToRouteVideo(Cab& cab) {
    TrainState& s = cab.state;
    if (s.VideoMode[0] != kStationVideo && s.VideoMode[0] != kMovingVideo) return;
    // A paused run stays paused.
    const bool wasRunning = cab.physicsTimerRunning();
    cab.stopPhysicsTimer();
    cab.video.mainVideoOpen = reopenVideo(cab, cab.route.DataName);
    s.VideoMode[0] = 0;
    s.SubFrame = 0;
    if (wasRunning) cab.startPhysicsTimer();
    cab.video.ShownFrame = -1;
}

void clearRunProgress(Cab& cab) {
    cab.stations.progress.fill({});
    for (MovieSwitch& movie : cab.route.MovieSwitches) movie.Done = false;
    clearPointsSounded(cab.runningSound);
    for (TimeCallout& callout : cab.route.TimeCallouts) callout.Done = false;
}

void markStationsBehind(Cab& cab) {
    const Extended p = cab.state.Position;
    const bool standing = std::fabs(cab.state.Speed) < 0.1L;
    const auto& stations = cab.route.Stations;
    for (std::size_t j = 0; j < stations.size(); ++j) {
        const StationRecord& s = stations[j];
        const bool left = p > s.zoneEnd || (p > s.stopPosition && !standing);
        if (!left) continue;
        StationProgress& progress = cab.stations.progress[j];
        progress.doorsOpenedHere = progress.stopCalloutGiven = true;
        progress.departureStarted = progress.departedHere = true;
    }
}

void closeDoors(Cab& cab) {
    cab.traction.doorsOpen = false;
    cab.stations.doorOpening = 0;
    if (Sprite* lamp = cab.sprites.find("img_Lamp_Door")) lamp->visible = true;
}

void showFrame(Cab& cab, std::int32_t frame) {
    cab.state.Frame = frame;
    cab.video.ShownFrame = frame - 1;
}

void setBrake(Cab& cab, std::int32_t step) {
    TrainState& s = cab.state;
    s.BrakeHandle = s.BrakeNotch = s.SapNotch = step;
}

void setNextStop(Cab& cab, std::int32_t station) {
    const Extended stop = cab.route.stationOrEmpty(std::size_t(station)).stopPosition;
    cab.stations.nextStopIndex = station;
    cab.NextStopPosition = stop;
    cab.state.RemainDistance = stop - cab.state.Position;
}

void placeWayside(Cab& cab) {
    const std::int32_t frame = cab.state.Frame;
    setActiveCrossings(cab.crossings, cab.route, frame);
    if (!signalInView(cab, frame)) hideSignals(cab);
    syncVideoSection(cab);
}

}  // namespace tovra
