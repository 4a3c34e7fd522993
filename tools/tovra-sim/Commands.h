#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ports/SoundDevice.h"

namespace tovra::sim {

// Makes the real sound device; the program supplies it so that the commands
// library links no media library.
using SoundDeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;

// Whether a file opens as a video with the real decoder.
using VideoProbe = std::function<bool(const std::filesystem::path&)>;

// Without the real decoder only the AVI headers are read.
int checkCommand(const std::vector<std::string>& args);
int checkCommandWithVideo(const std::vector<std::string>& args, const VideoProbe& realVideo);
int runCommand(const std::vector<std::string>& args, const SoundDeviceFactory& realSound = {});
int tablesCommand(const std::vector<std::string>& args);
int benchCommand(const std::vector<std::string>& args);
// Drives with random inputs and checks invariants after every tick; 3 on the
// first breach.
int soakCommand(const std::vector<std::string>& args);

}  // namespace tovra::sim
