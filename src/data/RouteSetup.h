#pragma once

#include "data/PatternPoints.h"
#include "data/RouteSpec.h"

namespace tovra {

// Converts every frame of the route's tables to a position in cm and builds
// the pattern points. The speed segments must carry their EndDistance.
// Objects whose frame lies in no segment keep position 0 and make no point;
// an object on the boundary of two segments is met in both.
PatternPoints setUpRoute(RouteSpec& route);

}  // namespace tovra
