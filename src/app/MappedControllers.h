#pragma once

#include <filesystem>
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
// through the keyboard's path, so that every rule of the keys holds.
class MappedControllers {
  public:
    MappedControllers(Cab& cab, remote::KeyPath& keys, std::filesystem::path file);

    // What was wrong with the file when it was read; "" when nothing.
    const std::string& loadError() const { return loadError_; }

    void poll();
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
    bool suspended_ = false;
};

}  // namespace tovra
