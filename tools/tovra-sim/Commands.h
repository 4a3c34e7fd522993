#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ports/SoundDevice.h"

namespace tovra::sim {

// Makes the real sound device; the program supplies it so that the commands
// library links no media library.
using SoundDeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;

int checkCommand(const std::vector<std::string>& args);
int runCommand(const std::vector<std::string>& args, const SoundDeviceFactory& realSound = {});
int tablesCommand(const std::vector<std::string>& args);
int benchCommand(const std::vector<std::string>& args);
// Drives with random inputs and checks invariants after every tick; 3 on the
// first breach.
int soakCommand(const std::vector<std::string>& args);

}  // namespace tovra::sim
