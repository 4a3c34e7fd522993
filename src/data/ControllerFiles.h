#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tovra {

class SettingsStore;

// mascon.dat: the serial master controller's messages, entry k matched as
// the controller's position or button k.
struct MasconTable {
    static constexpr std::size_t kCapacity = 26;
    std::vector<std::string> entries;
};

// Throws DataError naming the file when it is missing or holds more than 26
// entries, so no cab window starts with a half-read table.
MasconTable loadMasconTable(const std::filesystem::path& file);

// Game-controller readings for power 0..5 ("P0".."P5"), brake 0..8
// ("B0".."B8") and emergency ("EB"), from the "dgcontroller" settings group.
struct ControllerCodes {
    std::array<int, 6> power{};
    std::array<int, 9> brake{};
    int emergency = 0;
};

// Reads in the order P0..P5, B0..B8, EB and stops silently at the first
// missing value; the rest keep 0.
ControllerCodes loadControllerCodes(const SettingsStore& store);

// operation.dat: the help window's caption and text lines. Empty when the
// file is missing.
struct HelpText {
    std::string caption;
    std::vector<std::string> lines;
};
HelpText loadHelpText(const std::filesystem::path& file);

}  // namespace tovra
