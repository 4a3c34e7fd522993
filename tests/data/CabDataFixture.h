#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cab/Cab.h"
#include "support/TempDir.h"

namespace tovra::test {

// RIFF AVI with a main header of `frames` frames, enough for the header reader.
std::string aviHeaderFile(int frames, int width, int height);

// A small complete data set in a temporary folder: the settings files, the
// vehicle "train_E231.dat", the route "line_rapid_down.dat", and every
// picture, wave and video they name.
//
// The route's speed segments put frame 150 at 5000 cm, 300 at 10000, 450 at
// 16250, 600 at 25000, 750 at 35000 and 1050 at 52500. Its route sounds 0, 1
// and 2 play 2, 5 and 3 seconds.
class CabData {
  public:
    CabData();

    static constexpr const char* kRouteFile = "line_rapid_down.dat";
    static constexpr const char* kVehicleFile = "train_E231.dat";

    static std::string vehicleText();
    static std::string routeText();
    void writeVehicle(const std::string& text) const;
    void writeRoute(const std::string& text) const;
    void remove(const std::string& relativePath) const;

    RunChoice choice(int startStation = 0) const;
    const TempDir& dir() const { return dir_; }

  private:
    TempDir dir_;
};

// `text` with its first `from` replaced by `to`; fails the test when `from`
// is not there.
std::string replaced(std::string text, std::string_view from, std::string_view to);

// A 24-bit bitmap whose bottom-left pixel is `corner` and the rest `fill`.
std::string bitmap(int width, int height, std::uint32_t corner, std::uint32_t fill);
// A canonical 44-byte-header wave that plays `seconds`.
std::string wave(int seconds);

}  // namespace tovra::test
