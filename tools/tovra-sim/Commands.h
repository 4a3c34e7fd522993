#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "headless/FakeVideoSource.h"
#include "ports/SoundDevice.h"
#include "remote/CabSnapshot.h"
#include "remote/RemoteCommand.h"

namespace tovra::sim {

// Makes the real sound device; the program supplies it so that the commands
// library links no media library.
using SoundDeviceFactory = std::function<std::unique_ptr<SoundDevice>()>;

// The remote interface's server of `run --remote`: the program makes it (it
// links Qt), the run publishes a snapshot after every tick.
class RemoteEndpoint {
  public:
    virtual ~RemoteEndpoint() = default;
    virtual void publish(std::shared_ptr<const remote::CabSnapshot> snapshot) = 0;
    // Its counters for the --stats line: clients, messages, drops.
    virtual std::string statsText() const = 0;
};
// Starts the server on "[ADDR:]PORT" with the token (a fresh one when empty)
// and prints its address; `sink` is called on the server's thread with each
// command. Throws std::invalid_argument when it cannot listen.
using RemoteFactory = std::function<std::unique_ptr<RemoteEndpoint>(
    const std::string& listen, const std::string& token,
    std::function<void(remote::RemoteCommand)> sink)>;

// The program supplies the real video decoder as `measureVideo` too; without
// it only AVI files are read, by their headers.
int checkCommand(const std::vector<std::string>& args, const VideoMeasure& measureVideo = {});
int runCommand(const std::vector<std::string>& args, const SoundDeviceFactory& realSound = {},
               const VideoMeasure& measureVideo = {}, const RemoteFactory& remote = {});
int tablesCommand(const std::vector<std::string>& args, const VideoMeasure& measureVideo = {});
int benchCommand(const std::vector<std::string>& args);
// Drives with random inputs and checks invariants after every tick; 3 on the
// first breach.
int soakCommand(const std::vector<std::string>& args);

}  // namespace tovra::sim
