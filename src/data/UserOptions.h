#pragma once

#include <cstdint>

namespace tovra {

class SettingsStore;

// The five per-user display options, each 0 or 1.
struct UserOptions {
    std::int32_t Kanko = 0;        // 1: call-outs are silent
    std::int32_t Information = 1;  // 1: the commentary line is not drawn
    std::int32_t ATS = 0;          // 1: the train protection starts switched off
    std::int32_t Tunnel = 0;       // 1: visual effects off
    std::int32_t Moji = 0;         // 1: the readout labels are shown
};

inline constexpr const char* kUserOptionsGroup = "tovra";

// Reads the five options; when any one of them cannot be read, all five
// keep their defaults.
UserOptions loadUserOptions(const SettingsStore& store);

}  // namespace tovra
