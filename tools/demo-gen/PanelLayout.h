#pragma once

#include <string>
#include <vector>

#include "demo-gen/VehicleDesign.h"

namespace tovra::demo {

// Where every part of a cab panel goes on the 800 x 760 cab surface, and the
// scale of every gauge. The vehicle file states it and the panel pictures are
// drawn to it. Round needles point to 12 o'clock in their pictures and turn
// clockwise with the angle.

inline constexpr int kSurfaceWidth = 800;
inline constexpr int kSurfaceHeight = 760;
inline constexpr int kVideoWidth = 800;
inline constexpr int kVideoHeight = 450;
inline constexpr int kPanelTop = kVideoHeight;

struct Rect {
    int x, y, w, h;
};

struct LampPart {
    std::string key;    // vehicle-file key, "[Lamp_Door]"
    std::string file;   // picture name without folder
    std::string label;  // lettering
    Colour lit;
    Rect rect;
    bool underPanel2;  // drawn below the second panel, so it needs a window
};

struct NeedlePart {
    std::string file;
    int radius;                 // needle length, pixels
    int cx, cy;                 // pivot on the surface
    int startAngle;             // degrees at value 0
    double rate;                // degrees per unit
    double minValue, maxValue;  // of the dial's scale
    Colour colour;
    int imageSize() const { return 2 * radius + 8; }
    int x() const { return cx - imageSize() / 2; }
    int y() const { return cy - imageSize() / 2; }
};

struct BarPart {
    std::string file;
    Rect window;  // the bar shows through this window
    double rate;  // pixels per unit
    Colour colour;
};

struct PatternPart {
    std::string file;
    Rect rect;  // where one pattern shows; the picture is a column of patterns
    int count;
};

struct PanelLayout {
    std::string panel = "panel.bmp", panel2 = "panel2.bmp";
    int clockX = 0, clockY = 0, clockHand = 0;
    std::vector<LampPart> lamps;  // in the vehicle file's key order
    NeedlePart speed, bc, sap, er, bp, mr, volt, amp;
    int ammeterSource = 0;
    BarPart bcBar, mrBar;
    PatternPart cabSignal, notchP, notchB, notchP2, notchB2, gear, gearLever, digiSpeed;
    std::vector<int> cabSignalSpeeds;
    std::vector<LampPart> others;  // free pictures, hidden until the program shows them
};

PanelLayout panelLayout(const VehicleDesign& vehicle);

// Number of brake-indicator patterns: release, the holding position when the
// controller has one, every brake position and the emergency.
int brakePatternCount(const VehicleDesign& vehicle);

}  // namespace tovra::demo
