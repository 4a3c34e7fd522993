#include "demo-gen/Wayside.h"

#include <algorithm>

namespace tovra::demo {

std::vector<SlopeStretch> slopesOf(const LineWorld& world, Direction dir) {
    std::vector<SlopeStretch> out;
    const bool down = dir == Direction::Down;
    for (const Grade& g : world.grades)
        if (g.permil != 0)
            out.push_back(
                {down ? g.permil : -g.permil, down ? g.from : g.to, down ? g.to : g.from});
    std::sort(out.begin(), out.end(), [&](const auto& a, const auto& b) {
        return down ? a.from < b.from : a.from > b.from;
    });
    return out;
}

std::vector<ZoneStretch> zonesOf(const LineWorld& world, Direction dir) {
    std::vector<ZoneStretch> out;
    const bool down = dir == Direction::Down;
    for (const SpeedZone& z : world.speedZones)
        if (down ? z.down : z.up)
            out.push_back({z.speed, down ? z.from : z.to, down ? z.to : z.from});
    std::sort(out.begin(), out.end(), [&](const auto& a, const auto& b) {
        return down ? a.entry < b.entry : a.entry > b.entry;
    });
    return out;
}

}  // namespace tovra::demo
