#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "headless/FakeVideoSource.h"
#include "ports/SoundDevice.h"

namespace tovra::sim {

// Makes the real sound device; the program supplies it so that the commands
// library links no media library.
using SoundDeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;

// The program supplies the real video decoder as `measureVideo` too; without
// it only AVI files are read, by their headers.
int checkCommand(const std::vector<std::string>& args, const VideoMeasure& measureVideo = {});
int runCommand(const std::vector<std::string>& args, const SoundDeviceFactory& realSound = {},
               const VideoMeasure& measureVideo = {});
int tablesCommand(const std::vector<std::string>& args, const VideoMeasure& measureVideo = {});
int benchCommand(const std::vector<std::string>& args);
// Drives with random inputs and checks invariants after every tick; 3 on the
// first breach.
int soakCommand(const std::vector<std::string>& args);

}  // namespace tovra::sim
