#pragma once

#include <string>
#include <vector>

#include "demo-gen/LinePlan.h"

namespace tovra::demo {

// What a sound of the line is, so that the synthesiser knows how to make it.
enum class AudioKind {
    Speech,        // an announcement in a conductor's voice, after a chime
    Melody,        // a departure melody; `variant` picks the tune
    Platform,      // platform bustle, looped while in a station
    PassingTrain,  // a train going by on the next track
    CrossingBell,  // level-crossing bells, looped
    Tunnel,        // roar inside the tunnel, looped
    Bridge,        // girder rumble, looped
    CabAir,        // the cab's fans, looped
    SignalChime,   // a short chime: the road ahead is clear
};

struct AudioItem {
    std::string file;  // relative to the data folder, "\" separated
    AudioKind kind;
    std::string speech;  // for Speech: kana to speak
    int variant = 0;
};

// The sounds a route file lists under "[SoundData]", in order, and the index
// of each one the route refers to.
struct RouteAudio {
    std::vector<AudioItem> items;  // item 0 plays when the run starts
    std::vector<int> arrival;      // per station in running order
    std::vector<int> departure;    // melody or chime per station
    int platform = 0;
    int overrun = 0;
    int passingTrain = 0;
    int crossingBell = 0;
    int tunnel = 0;
    int bridge = 0;
    int cabAir = 0;
    int passWarning = 0;        // platform warning at a station passed
    std::vector<int> nextStop;  // "次は…" after leaving station i (for the next stop)
    std::vector<int> approach;  // "まもなく…" before station i
};

RouteAudio routeAudio(const LinePlan& plan, const ServicePlan& service);

// Every sound of every route, each file once.
std::vector<AudioItem> allRouteAudio(const LinePlan& plan);

}  // namespace tovra::demo
