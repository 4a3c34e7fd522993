#pragma once

#include <string>

#include <gtest/gtest.h>

#include "common/DataError.h"
#include "data/VehicleLoader.h"
#include "support/TempDir.h"

namespace tovra::test {

// Writes vehicle files as CP932 with CR LF and loads them.
class VehicleFileTest : public ::testing::Test {
  protected:
    VehicleSpec load(const std::string& text) {
        return loadVehicleSpec(dir_.writeCp932("train.dat", text));
    }

    // The message of the DataError that loading throws, or "(loaded)".
    std::string failure(const std::string& text) {
        try {
            load(text);
        } catch (const DataError& error) {
            return error.what();
        }
        return "(loaded)";
    }

    static std::string vehicleError(const std::string& label) { return kVehicleFileError + label; }

    // One "[Notch]" entry of six lines.
    static std::string notch(const std::string& accelStart, int mode) {
        return accelStart + "\n2.0\n35\n70\n0.98\n" + std::to_string(mode) + "\n";
    }

    TempDir dir_;
};

}  // namespace tovra::test
