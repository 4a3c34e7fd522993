#include "app/MappedControllers.h"

#include <QStandardPaths>
#include <utility>

#include "cab/Cab.h"
#include "cab/KeyInput.h"
#include "cab/PadInput.h"
#include "remote/CommandKeys.h"

namespace tovra {

std::filesystem::path controllerMappingFile() {
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return std::filesystem::path(config.toStdString()) / "Velmoran" / "controllers.ini";
}

MappedControllers::MappedControllers(Cab& cab, remote::KeyPath& keys, std::filesystem::path file)
    : cab_(cab), keys_(keys), file_(std::move(file)) {
    MappingFile loaded = loadMappings(file_);
    if (!loaded.error.empty()) loadError_ = file_.string() + ": " + loaded.error;
    pads_.setMappings(std::move(loaded.devices));
}

void MappedControllers::poll() {
    if (suspended_ || pads_.mappings().empty()) return;
    apply(pads_.poll(devices_.poll()));
}

std::optional<std::string> MappedControllers::setMappings(DeviceMappings mappings) {
    const auto error = saveMappings(file_, mappings);
    apply(pads_.setMappings(std::move(mappings)));
    return error;
}

void MappedControllers::apply(const MappedPadEvents& events) {
    if (events.steps.power || events.steps.brake) {
        resetVigilance(cab_);
        applyPadSteps(cab_, events.steps.power, events.steps.brake);
    }
    for (const PadKeyEvent& event : events.keys) {
        const PadKeyInfo& key = padKeyInfo(event.key);
        if (key.character) {
            if (event.down) {
                keys_.characterDown(*key.character);
            } else {
                keys_.characterUp(*key.character);
            }
        } else if (key.virtualKey) {
            if (event.down) {
                keys_.keyDown(*key.virtualKey, false);
            } else {
                keys_.keyUp(*key.virtualKey);
            }
        }
    }
    for (const std::string& name : events.pluggedIn)
        showControllerNotice(cab_, "コントローラ「" + name + "」を接続しました");
    for (const std::string& name : events.pulledOut)
        showControllerNotice(cab_, "コントローラ「" + name + "」が外れました");
}

}  // namespace tovra
