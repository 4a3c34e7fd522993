#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Translation.h"
#include "remote/RemoteCommand.h"

namespace tovra {

// The desktop program's command line.
struct CommandLine {
    std::optional<std::string> dataDir;
    bool help = false;
    bool version = false;
    // Start the given route (1 to 3), or a route file of any name (relative
    // to the data folder, or a path), with the default train at once.
    int route = 0;
    std::string routeFile;
    // Keys typed into the cab, one every 0.2 s, once it runs.
    std::vector<remote::KeyPress> keys;
    std::optional<std::string> screenshot;  // PNG written after screenshotAfter seconds
    double screenshotAfter = 5;
    // With --route: how long the train took to start, then every 10 s the
    // frames drawn per second and the process's processor share, on stderr.
    bool stats = false;
    // The remote interface at start: "[ADDR:]PORT", and its token.
    std::optional<std::string> remote;
    std::string remoteToken;
    std::optional<Language> language;  // --lang: over the stored choice and the desktop
    std::string error;                 // not empty: the command line is wrong
};

CommandLine parseCommandLine(const std::vector<std::string>& args);
std::string usageText();

}  // namespace tovra
