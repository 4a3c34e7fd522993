#include "app/MappedControllers.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <utility>

#include "cab/Cab.h"
#include "cab/KeyInput.h"
#include "cab/PadInput.h"
#include "remote/CommandKeys.h"

namespace tovra {

namespace {

// As often as the logic tick reads them while running.
constexpr int kPausedPollMs = 100;

std::string notice(const char* text, const std::string& device) {
    return QCoreApplication::translate("MappedControllers", text)
        .arg(QString::fromStdString(device))
        .toStdString();
}

}  // namespace

std::filesystem::path controllerMappingFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::filesystem::path(config.toStdString()) / "Velmoran" / "controllers.ini";
}

MappedControllers::MappedControllers(Cab& cab, remote::KeyPath& keys, std::filesystem::path file)
    : cab_(cab), keys_(keys), file_(std::move(file)) {
    MappingFile loaded = loadMappings(file_);
    if (!loaded.error.empty()) loadError_ = file_.string() + ": " + loaded.error;
    pads_.setMappings(std::move(loaded.devices));
    pausedPoll_.callOnTimeout([this] {
        if (!cab_.running()) poll();
    });
    pausedPoll_.start(kPausedPollMs);
}

void MappedControllers::poll() {
    if (suspended_ || pads_.mappings().empty()) return;
    MappedPadEvents events = pads_.poll(devices_.poll());
    if (cab_.running()) {
        if (!events.steps.power) events.steps.power = stepsWhilePaused_.power;
        if (!events.steps.brake) events.steps.brake = stepsWhilePaused_.brake;
        stepsWhilePaused_ = {};
    } else {
        // Paused, the cab takes no key and no handle: a lever moved now
        // takes its handle when the run goes on, a button pressed now acts
        // never, but one released lets go of what it held.
        if (events.steps.power) stepsWhilePaused_.power = events.steps.power;
        if (events.steps.brake) stepsWhilePaused_.brake = events.steps.brake;
        events.steps = {};
        std::erase_if(events.keys,
                      [](const PadKeyEvent& e) { return e.down && e.key != PadKey::Pause; });
    }
    apply(events);
}

std::optional<std::string> MappedControllers::setMappings(DeviceMappings mappings) {
    const auto error = saveMappings(file_, mappings);
    apply(pads_.setMappings(std::move(mappings)));
    // The devices act anew with their levers; a device no longer mapped
    // must not move a handle when a pause ends.
    stepsWhilePaused_ = {};
    return error;
}

void MappedControllers::apply(const MappedPadEvents& events) {
    if (events.steps.power || events.steps.brake) {
        resetVigilance(cab_);
        applyPadSteps(cab_, events.steps.power, events.steps.brake);
    }
    for (const PadKeyEvent& event : events.keys) {
        const PadKeyInfo& key = padKeyInfo(event.key);
        if (event.key == PadKey::Pause) {
            if (event.down && togglePause) togglePause();
        } else if (key.character) {
            if (event.down) {
                keys_.characterDown(*key.character);
            } else {
                keys_.characterUp(*key.character);
            }
        } else if (key.virtualKey) {
            if (event.down) {
                keys_.keyDown(*key.virtualKey, key.shift);
            } else {
                keys_.keyUp(*key.virtualKey);
            }
        }
    }
    for (const std::string& name : events.pluggedIn)
        showControllerNotice(
            cab_, notice(QT_TRANSLATE_NOOP("MappedControllers", "コントローラ「%1」を接続しました"),
                         name));
    for (const std::string& name : events.pulledOut)
        showControllerNotice(
            cab_,
            notice(QT_TRANSLATE_NOOP("MappedControllers", "コントローラ「%1」が外れました"), name));
}

}  // namespace tovra
