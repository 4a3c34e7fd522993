#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "data/DataFileReader.h"
#include "data/VehicleSpec.h"

// Readers of the vehicle file's sections with more than one value. Each is
// called with the section's header as the current line.
namespace tovra::vehicle {

// Lists without a count overwrite from index 0 and leave later entries of an
// earlier occurrence in place.
template <typename T>
void storeAt(std::vector<T>& table, std::size_t index, T value) {
    if (index < table.size()) {
        table[index] = std::move(value);
    } else {
        table.push_back(std::move(value));
    }
}

// A decimal kept as a 64-bit float, rounded once from the text.
double parseF64(std::string_view text);


// Traction.
void readBrakeRate(DataFileReader& r, VehicleSpec& v);
void readEngineRate(DataFileReader& r, VehicleSpec& v);
void readGearType(DataFileReader& r, VehicleSpec& v);
void readNotch(DataFileReader& r, VehicleSpec& v);
void readCurrentP(DataFileReader& r, VehicleSpec& v);
void readBrakeCurr(DataFileReader& r, VehicleSpec& v);
void readCurrentB(DataFileReader& r, VehicleSpec& v);
void readEngine(DataFileReader& r, VehicleSpec& v);
void readPowerMode(DataFileReader& r, VehicleSpec& v);

// Sounds.
void readPerStepSounds(DataFileReader& r, std::vector<std::int32_t>& table, std::int64_t count);
void readHorn4(DataFileReader& r, VehicleSpec& v);
void readSwitchSound(DataFileReader& r, VehicleSpec& v);
void readEngineSound1(DataFileReader& r, VehicleSpec& v);
void readEngineSound3(DataFileReader& r, VehicleSpec& v);
void readDriveSound(DataFileReader& r, VehicleSpec& v);

// Cab panel.
void readPlacedImage(DataFileReader& r, PlacedImage& image);
void readRoundNeedle(DataFileReader& r, RoundNeedle& needle);
void readLinearGauge(DataFileReader& r, LinearGauge& gauge);
void readPatternImage(DataFileReader& r, PatternImage& image);
void readLampSignal(DataFileReader& r, VehicleSpec& v);
void readOthers(DataFileReader& r, VehicleSpec& v);

}  // namespace tovra::vehicle
