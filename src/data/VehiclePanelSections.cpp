#include "common/TextFields.h"
#include "data/VehicleSections.h"

namespace tovra::vehicle {

void readPerStepSounds(DataFileReader& r, std::vector<std::int32_t>& table, std::int64_t count) {
    for (std::int64_t i = 0; i < count; ++i) {
        storeAt(table, static_cast<std::size_t>(i), r.read_integer());
    }
}

void readHorn4(DataFileReader& r, VehicleSpec& v) {
    for (auto& value : v.Sound_Horn4) value = r.read_integer();
    v.HornAir = Extended(v.Sound_Horn4.back());
    v.HasSound_Horn4 = true;
}

void readSwitchSound(DataFileReader& r, VehicleSpec& v) {
    v.SwitchSound.clear();
    r.read_list(VehicleSpec::kSwitchSoundCapacity, DataFileReader::Unclosed::IsError,
                [&](std::size_t) {
                    const std::string& line = r.line();
                    v.SwitchSound.push_back({parseInteger(CsvField(line, 1)),
                                             parseInteger(CsvField(line, 2)),
                                             parseInteger(CsvField(line, 3))});
                });
}

void readEngineSound1(DataFileReader& r, VehicleSpec& v) {
    v.EngineSound1.clear();
    r.read_list(VehicleSpec::kEngineSoundCapacity, DataFileReader::Unclosed::IsError,
                [&](std::size_t) {
                    EngineSound1Entry e;
                    e.File = r.line();
                    e.Kind = r.read_integer();
                    for (Extended* value :
                         {&e.x0, &e.x1, &e.x2, &e.p0, &e.p1, &e.p2, &e.gain0, &e.gain1, &e.gain2}) {
                        *value = r.read_decimal();
                    }
                    v.EngineSound1.push_back(std::move(e));
                });
}

void readEngineSound3(DataFileReader& r, VehicleSpec& v) {
    v.EngineSound3.clear();
    r.read_list(VehicleSpec::kEngineSoundCapacity, DataFileReader::Unclosed::IsError,
                [&](std::size_t) {
                    EngineSound3Entry e;
                    e.File = r.line();
                    e.Kind = r.read_integer();
                    e.Gear = r.read_integer();
                    for (Extended* value : {&e.x0, &e.x1, &e.p0, &e.p1, &e.gain0, &e.gain1}) {
                        *value = r.read_decimal();
                    }
                    v.EngineSound3.push_back(std::move(e));
                });
}

void readDriveSound(DataFileReader& r, VehicleSpec& v) {
    v.DriveSound.clear();
    r.read_list(VehicleSpec::kDriveSoundCapacity, DataFileReader::Unclosed::EndsList,
                [&](std::size_t) { v.DriveSound.push_back(r.line()); });
}

void readPlacedImage(DataFileReader& r, PlacedImage& image) {
    image.File = r.read_text();
    image.X = r.read_integer();
    image.Y = r.read_integer();
}

void readRoundNeedle(DataFileReader& r, RoundNeedle& needle) {
    needle.File = r.read_text();
    needle.X = r.read_integer();
    needle.Y = r.read_integer();
    for (auto& spare : needle.Spare) spare = r.read_integer();
    needle.StartAngle = r.read_integer();
    needle.Rate = r.read_decimal();
}

void readLinearGauge(DataFileReader& r, LinearGauge& gauge) {
    gauge.File = r.read_text();
    gauge.X = r.read_integer();
    gauge.BaseY = r.read_integer();
    gauge.Rate = r.read_decimal();
}

void readPatternImage(DataFileReader& r, PatternImage& image) {
    image.X = r.read_integer();
    image.Y = r.read_integer();
    image.PatternWidth = r.read_integer();
    image.PatternHeight = r.read_integer();
    image.File = r.read_text();
}

void readLampSignal(DataFileReader& r, VehicleSpec& v) {
    readPatternImage(r, v.Lamp_signal);
    // An empty line keeps the value an earlier list left at its place.
    const std::vector<std::int32_t> earlier = std::move(v.Lamp_signalSpeeds);
    v.Lamp_signalSpeeds.clear();
    r.read_list(VehicleSpec::kLampSignalCapacity, DataFileReader::Unclosed::EndsList,
                [&](std::size_t i) {
                    const std::string& line = r.line();
                    if (!line.empty()) {
                        v.Lamp_signalSpeeds.push_back(parseInteger(line));
                    } else {
                        v.Lamp_signalSpeeds.push_back(i < earlier.size() ? earlier[i] : 0);
                    }
                });
}

void readOthers(DataFileReader& r, VehicleSpec& v) {
    v.Others.clear();
    r.read_list(VehicleSpec::kOthersCapacity, DataFileReader::Unclosed::IsError, [&](std::size_t) {
        PlacedImage image;
        image.File = r.line();
        image.X = r.read_integer();
        image.Y = r.read_integer();
        v.Others.push_back(std::move(image));
    });
}

}  // namespace tovra::vehicle
