#pragma once

#include <QTimer>
#include <filesystem>
#include <functional>
#include <string>

#include "input/MappedPads.h"
#include "input/PadMappingFile.h"
#include "platform/SdlDevices.h"

namespace tovra {

class Cab;
namespace remote {
class KeyPath;
}

// controllers.ini in the user's configuration folder ($XDG_CONFIG_HOME).
std::filesystem::path controllerMappingFile();

// The game controllers the player mapped: read after every logic tick;
// their handle steps go to the cab as a controller's steps, their buttons
// through the keyboard's path, so that every rule of the keys holds. While
// the run is paused a timer of their own reads them, and only a pause button
// acts (and key releases, so that nothing stays held).
class MappedControllers {
  public:
    MappedControllers(Cab& cab, remote::KeyPath& keys, std::filesystem::path file);

    // The pause button's way: the menu's start and pause command.
    std::function<void()> togglePause;

    // What was wrong with the file when it was read; "" when nothing.
    const std::string& loadError() const { return loadError_; }

    void poll();
    // The window closes: no more reading while paused.
    void stop() { pausedPoll_.stop(); }
    // While the mapping dialog is open the devices act on nothing.
    void setSuspended(bool suspended) { suspended_ = suspended; }

    const DeviceMappings& mappings() const { return pads_.mappings(); }
    SdlDevices& devices() { return devices_; }
    // Kept in the file and applied at once; the error when it could not be
    // written (the mappings still apply).
    std::optional<std::string> setMappings(DeviceMappings mappings);

  private:
    void apply(const MappedPadEvents& events);

    Cab& cab_;
    remote::KeyPath& keys_;
    std::filesystem::path file_;
    std::string loadError_;
    SdlDevices devices_;
    MappedPads pads_;
    QTimer pausedPoll_;
    HandleSteps stepsWhilePaused_;
    bool suspended_ = false;
};

}  // namespace tovra
