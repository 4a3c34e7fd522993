#pragma once

#include <string>
#include <vector>

namespace tovra {

class Cab;

// One status text drawn over the video: black shadow at (x + shadow,
// y + shadow), then white at (x, y); size in points.
struct PlacedText {
    std::string text;
    int x = 0;
    int y = 0;
    int size = 0;
    bool operator==(const PlacedText&) const = default;
};

// The strings the drawing may put over the video, taken from the run.
struct StatusStrings {
    std::string notice;
    std::string speed, reverser, mascon, brake, gear;
    std::string protection, protection2;  // speed-limit lines
    std::string message, message2;        // signal lines
    std::string door, station, clock, oneMan;
    bool oneManRoute = false;
};
StatusStrings statusStringsOf(const Cab& cab);

// Where the status texts go on a W x H video picture. `noticeWidth` is the
// width the top message measured in the previous pass (0 the first time).
struct StatusLayout {
    int shadow = 0;
    std::vector<PlacedText> texts;
    bool operator==(const StatusLayout&) const = default;
};
StatusLayout layoutStatusTexts(const StatusStrings& s, int width, int height, bool information,
                               bool moji, int noticeWidth);

}  // namespace tovra
