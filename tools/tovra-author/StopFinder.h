#pragma once

#include <vector>

namespace tovra::author {

// A place where the train comes to rest in the video.
struct FoundStop {
    int frame = 0;        // the first frame at rest
    double dwell = 0;     // s the video shows it standing (about 0 where the dwell is cut away)
    bool station = true;  // false: a short stop between stations, such as at a signal
};

// The stops of a run from its distance at every frame (`along`, any unit,
// never decreasing) at `fps`. A stop that the video shows for a few seconds
// only is a signal stop; a longer one, one cut away (the train brakes to rest
// and at once pulls away) and one at the video's start or end are stations.
std::vector<FoundStop> findStops(const std::vector<double>& along, double fps);

}  // namespace tovra::author
