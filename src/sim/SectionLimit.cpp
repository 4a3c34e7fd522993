#include "sim/Cab.h"
#include "sim/Protection.h"

namespace tovra {

// Before the first station the limit stays as it was.
void update_section_limit(Cab& cab) {
    const RouteSpec& route = cab.route;
    const Extended position = cab.state.Position;
    for (std::size_t i = 0; i < route.Stations.size(); ++i) {
        if (route.Stations[i].stopPosition <= position &&
            route.stationOrEmpty(i + 1).stopPosition > position) {
            cab.protection.SectionLimit = route.Stations[i].sectionLimit;
            return;
        }
    }
}

}  // namespace tovra
