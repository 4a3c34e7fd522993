#pragma once

#include <string>
#include <vector>

#include "demo-gen/Alignment.h"
#include "demo-gen/SpeedProfile.h"
#include "demo-gen/TrackPath.h"

namespace tovra::demo {

// The one description of the demo line: where everything stands (chainage in
// metres along the line, rising going down; lateral metres right of the
// line's centre going down), how the two route videos were filmed, and the
// three services that run on them. The route files and the video renderer
// both read it, so that picture and data agree.

enum class Direction { Down, Up };

struct StationSite {
    std::string name;   // as shown
    std::string kana;   // as spoken
    std::string roman;  // on the name boards
    double downStop;    // where a down train's cab stops
    double upStop;
    double platformFrom, platformTo;
    bool passingLoop = false;
};

enum class SignalRole { Starting, Block, Home, Repeater, Distant };

struct SignalSite {
    Direction dir;
    double chainage;
    int type;  // the face row of the signal
    SignalRole role;
    int station = -1;  // the station a starting or home signal belongs to
    int number = 0;    // block number
    bool routeIndicator = false;
};

// A stretch run at no more than `speed` (both directions unless said).
struct SpeedZone {
    double from, to;
    int speed;
    bool down = true, up = true;
};

struct Turnout {
    Direction dir;    // the direction whose filming train runs over it
    double chainage;  // the points
};

// A board beside the line: an index into the route's "other signs" pictures.
struct WaysideBoard {
    Direction dir;
    double chainage;
    int image;
    int changeAfter;  // seconds in view before it shows its second picture, 0 never
};

struct LineWorld {
    Alignment alignment;
    std::vector<StationSite> stations = {};
    std::vector<TrackPath> tracks = {};    // every track on the ground
    TrackPath downPath = {}, upPath = {};  // the track each filming train follows
    std::vector<Curve> curves = {};
    std::vector<Grade> grades = {};
    double tunnelFrom = 0, tunnelTo = 0;
    double crossing = 0;  // centre of the level crossing's road
    double bridgeFrom = 0, bridgeTo = 0;
    std::vector<SpeedZone> speedZones = {};
    std::vector<SignalSite> signals = {};
    std::vector<Turnout> turnouts = {};
    std::vector<WaysideBoard> boards = {};
    double bufferDown = 0, bufferUp = 0;  // buffer stops at the two ends
    int lineSpeed = 0;                    // km/h
};

// One route video: the filming run and the frames of its stops.
struct RunPlan {
    Direction dir = Direction::Down;
    std::string videoName;  // file name under the video folder, no extension
    double origin = 0;      // chainage at frame 0
    int sign = 1;           // +1 down, -1 up
    SpeedProfile profile;
    std::vector<int> stationOrder;  // station sites in the order met
    std::vector<int> stopFrames;    // per station in that order
    int endStopFrame = 0;           // "[MovieStop]": the end of the line
    int frameCount = 0;             // frames in the video file

    double chainage(int frame) const {
        return origin + sign * double(profile.position(frame)) / 100.0;
    }
    // The first frame that reaches `chainage` going this way.
    int frameAt(double chainage) const {
        return profile.frameAt((chainage - origin) * sign * 100.0);
    }
    bool ahead(double a, double b) const { return (b - a) * sign > 0; }  // b lies beyond a
};

// A sub-video played instead of the main video.
struct SubVideo {
    std::string name;
    int mode;        // 2 a station video, 1 a stretch of the line
    int firstFrame;  // main-video frames it covers (mode 1), or the station's frame
    int lastFrame;
    int length;      // frames played
    int target;      // station index (mode 2) or the main frame driving resumes at
    int frameCount;  // frames in its file
};

struct PrecedingLeg {
    int station;  // index in the route's order
    int pace;
    int departure;  // clock ticks
};

// One route file: a service on one of the two videos.
struct ServicePlan {
    std::string routeFile;
    std::string lineName;   // the cab window's caption
    std::string shortName;  // title of a saved state
    std::string serviceName;
    Direction dir;
    bool oneMan;
    std::vector<int> kinds;       // per station in the run's order
    std::vector<int> arrivals;    // clock ticks, 0 at the first station and where passing
    std::vector<int> departures;  // clock ticks, 0 where passing and at the last
    std::vector<PrecedingLeg> preceding;
    std::vector<SubVideo> subVideos;
};

struct LinePlan {
    LineWorld world;
    RunPlan down = {}, up = {};
    std::vector<ServicePlan> services = {};  // down local, rapid, up local
    std::vector<SubVideo> subVideos = {};    // of the down video

    const RunPlan& run(Direction d) const { return d == Direction::Down ? down : up; }
};

// Clock ticks (1/30 s) of a time of day.
constexpr int clockTicks(int h, int m, int s) {
    return ((h * 60 + m) * 60 + s) * 30;
}

// The demo line, built once.
const LinePlan& linePlan();

}  // namespace tovra::demo
