#pragma once

#include <array>
#include <vector>

#include "demo-gen/Canvas.h"
#include "demo-gen/LinePlan.h"
#include "demo-gen/Sprite.h"

namespace tovra::demo {

// The world as the renderer draws it, in line coordinates (chainage, lateral
// metres, height above the rails there). Ground bands lie on the ground,
// decks are level surfaces above or below it, walls stand along the line,
// boards face along it.

enum class Surface : unsigned char {
    Flat,
    Grass,  // patches along the line
    Ballast,
    Sleepers,  // concrete sleepers every 0.6 m over ballast
    RailHead,
    Soil,  // a ploughed field: furrows across the line
    Water,
    Road,
    PlatformTop,  // concrete with the white edge line and the yellow tactile strip
    TunnelWall,   // lamps every 25 m
    Fence,
    Girder,
    Facade,  // a building front with windows
    TrainSide,
};

// A lateral position: along a track of the world (with an offset) or fixed.
struct Lateral {
    int track = -1;
    double offset = 0;
};

struct GroundBand {
    double from, to;
    Lateral left, right;
    Surface surface;
    Colour colour;
};

struct Deck {
    double from, to;
    Lateral left, right;
    double height;
    Surface surface;
    Colour colour;
    bool edgeOnLeft = false;  // PlatformTop: the platform edge is the left side
};

struct Wall {
    double from, to;
    Lateral at;
    double bottom, topFrom, topTo;  // the top may slope along the wall
    int faces;  // +1 seen from the right (greater lateral), -1 from the left, 0 both
    Surface surface;
    Colour colour;
};

struct Board {
    double chainage;
    Lateral centre;
    double width, bottom, top;
    int facing;  // +1 seen by trains going down, -1 going up, 0 both
    const Sprite* front;
    const Sprite* back = nullptr;   // seen from behind; none: not drawn
    const Sprite* blink = nullptr;  // shown instead of `front` every other half second
};

struct Wire {
    Lateral at;
    double height;
    double from, to;
    double stagger;  // zigzag either side of `at`, reversed every 50 m
    Colour colour;
};

struct Scene {
    const LineWorld* world = nullptr;
    std::vector<GroundBand> ground;
    std::vector<Deck> decks;
    std::vector<Wall> walls;
    std::vector<Board> boards;
    std::vector<Wire> wires;
    std::vector<std::array<double, 2>> tunnels;

    double lateral(const Lateral& l, double chainage) const {
        return l.track < 0 ? l.offset
                           : world->tracks[std::size_t(l.track)].lateral(chainage) + l.offset;
    }
    bool inTunnel(double chainage) const {
        for (const auto& t : tunnels)
            if (chainage > t[0] && chainage < t[1]) return true;
        return false;
    }
};

class SceneArt;

// Builds the whole line: track, stations, catenary, signals and boards,
// crossing, tunnel, bridge, fields, houses and trees.
Scene buildScene(const LinePlan& plan, SceneArt& art);

}  // namespace tovra::demo
