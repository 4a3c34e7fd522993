#include "sim/Protection.h"

namespace tovra {

// Before the first station the limit stays as it was.
void update_section_limit(ProtectionState& p, const TrainState& s, const RouteSpec& route) {
    const Extended position = s.Position;
    for (std::size_t i = 0; i < route.Stations.size(); ++i) {
        if (route.Stations[i].stopPosition <= position &&
            route.stationOrEmpty(i + 1).stopPosition > position) {
            p.SectionLimit = route.Stations[i].sectionLimit;
            return;
        }
    }
}

}  // namespace tovra
