#include "run/SaveSlots.h"

#include <stdexcept>

#include "cab/Cab.h"
#include "cab/Masconupdate.h"
#include "cab/StartState.h"
#include "common/DataError.h"
#include "common/UiText.h"
#include "ports/Host.h"
#include "ports/SettingsStore.h"
#include "run/SavedState.h"
#include "run/TrainPlacement.h"
#include "sim/Protection.h"
#include "sim/Stations.h"
#include "sound/RunningSounds.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

constexpr const char* kGroup = "tovra";

std::string stateKey(int slot) {
    if (slot < 1 || slot > kSaveSlotCount)
        throw std::out_of_range("no save slot " + std::to_string(slot));
    return "Save" + std::to_string(slot);
}

std::string titleKey(int slot) {
    return stateKey(slot) + "Title";
}

std::string shown(const Cab& cab, const char* message) {
    std::string text = uiText("SaveSlots", message);
    cab.host.showMessage(text);
    return text;
}

// Stations with doors before `station`: each has an announcement before
// arrival and one after departure.
std::int32_t announcementPointer(const RouteSpec& route, std::int32_t station) {
    std::int32_t k = 0;
    for (std::int32_t i = 0; i < station; ++i)
        if (route.Stations[std::size_t(i)].kind == 0) ++k;
    return 2 * k + 1;
}

void applyState(Cab& cab, const SavedState& saved) {
    TrainState& s = cab.state;
    const std::int32_t pointer = announcementPointer(cab.route, saved.station);
    returnToRouteVideo(cab);
    setWindowCaption(cab.statusTexts, cab.host, cab.route.LineName);
    s.Speed = saved.speed;
    clearRunProgress(cab);
    stopChannelsAfterFirst(cab.sound);
    closeDoors(cab);
    showFrame(cab, saved.frame);
    s.Clock = saved.clock;
    cab.protection.PreTrainFrame = saved.preTrainFrame;
    cab.stations.currentStation = saved.station;
    setBrake(cab, s.Speed > 0 ? 0 : 1 - cab.vehicle.Brake);
    s.Position = saved.position;
    // At the last station no stop follows: the train keeps it as its target.
    setNextStop(cab, next_stop_after(cab.route, saved.station).value_or(saved.station));
    cab.stations.announcePos = pointer;
    markStationsBehind(cab);
    markPassedSpeedChecks(cab);
    resetProtection(cab.protection, cab.state, cab.lamps);
    cab.stations.runEnded = false;
    placeWayside(cab);
    masconupdate(cab);
}

}  // namespace

SaveMenu saveMenu(const SettingsStore& store) {
    SaveMenu menu;
    for (int slot = 1; slot <= kSaveSlotCount; ++slot) {
        const std::string title = store.readString(kGroup, titleKey(slot)).value_or("");
        const bool empty = title.empty();
        const std::string caption = empty ? kEmptySlotCaption : title;
        menu.save[std::size_t(slot - 1)] = {caption, true};
        menu.restore[std::size_t(slot - 1)] = {caption, !empty};
    }
    return menu;
}

std::string saveRunState(const Cab& cab, SettingsStore& store, const std::string& routeFile,
                         int slot) {
    const std::string key = stateKey(slot);
    const std::string title = stretchTitle(cab.route, cab.state.Position);
    const std::string text = formatSavedState(captureState(cab, routeFile));
    const bool written =
        store.writeString(kGroup, key, text) && store.writeString(kGroup, titleKey(slot), title);
    return shown(cab, written ? kStateSavedMessage : kStateNotWrittenMessage);
}

std::string restoreRunState(Cab& cab, const SettingsStore& store, const std::string& routeFile,
                            int slot) {
    const std::string text = store.readString(kGroup, stateKey(slot)).value_or("");
    if (text.empty()) return shown(cab, kNothingSavedMessage);
    SavedState saved;
    try {
        saved = parseSavedState(text);
    } catch (const ReadFailure&) {
        return shown(cab, kUnreadableStateMessage);
    }
    if (saved.routeFile != routeFile) return shown(cab, kOtherRouteMessage);
    // The text is trusted as far as it names a station of this route.
    if (saved.station < 0 || std::size_t(saved.station) >= cab.route.Stations.size())
        return shown(cab, kUnreadableStateMessage);
    applyState(cab, saved);
    cab.runRecord.startLeg(RunEventKind::Restore);
    return {};
}

}  // namespace tovra
