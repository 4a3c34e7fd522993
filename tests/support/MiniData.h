#pragma once

#include <string>

#include "support/TempDir.h"

namespace tovra::test {

// The smallest program settings a cab loads with (TickRate 30).
inline void writeProgramSettings(const TempDir& dir, const std::string& disp = "30,1") {
    dir.writeCp932("velmoran.dat",
                   "[Disp]\n" + disp + "\n0\n800\n450\n310\n[Start]\n運転開始(&S)\n");
    dir.writeCp932("mascon.dat", "P1\nP2\nP3\nP4\nP5\nN\n#\n");
}

}  // namespace tovra::test
