// The route loader and the set-up that turns its frames into positions.
#include "FuzzFile.h"
#include "common/DataError.h"
#include "data/RouteLoader.h"
#include "data/RouteSetup.h"
#include "data/SegmentOverlaps.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        tovra::RouteSpec route =
            tovra::loadRouteSpec(tovra::fuzz::inputFile("route.dat", data, size), "train.dat");
        tovra::overlappingSegments(route.SpeedUnits);
        tovra::setUpRoute(route);
    } catch (const tovra::DataError&) {
    }
    return 0;
}
