#include "data/VehicleSections.h"

#include <algorithm>
#include <charconv>

#include "common/DataError.h"
#include "common/TextFields.h"
#include "common/UiText.h"
#include "data/VehicleLoader.h"

namespace tovra::vehicle {

namespace {

// Lists of numbers cannot run to the end of the file: the empty line there
// is no number.
constexpr auto kNumbers = DataFileReader::Unclosed::IsError;

std::int32_t intField(const std::string& line, int n) {
    return parseInteger(CsvField(line, n));
}
Extended decimalField(const std::string& line, int n) {
    return parseDecimal(CsvField(line, n));
}

[[noreturn]] void failCrossCheck(const DataFileReader& r, const char* message) {
    throw DataError(uiText("DataFiles", message), r.describe(ReadFailure(message)));
}

}  // namespace

double parseF64(std::string_view text) {
    parseDecimal(text);  // the same syntax check as every decimal
    while (text.front() == ' ' || text.front() == '\t') text.remove_prefix(1);
    while (text.back() == ' ' || text.back() == '\t') text.remove_suffix(1);
    if (text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        throw ReadFailure("'" + std::string(text) + "' is not a 64-bit number");
    }
    return value;
}

void readBrakeRate(DataFileReader& r, VehicleSpec& v) {
    v.BrakeRateAir = r.read_fixed();
    v.BrakeRateElec = r.read_fixed();
    v.BrakeRateSpeed = r.read_fixed();
}

void readEngineRate(DataFileReader& r, VehicleSpec& v) {
    r.read_list(VehicleSpec::kEngineRateCapacity, kNumbers, [&](std::size_t i) {
        storeAt(v.EngineRate, i, {intField(r.line(), 1), decimalField(r.line(), 2)});
    });
}

void readGearType(DataFileReader& r, VehicleSpec& v) {
    const std::string type = r.read_text();
    if (type == "AT") v.Gear_Type = 0;
    if (type == "MT") v.Gear_Type = 1;
}

void readNotch(DataFileReader& r, VehicleSpec& v) {
    std::size_t mode = 0;
    r.read_list(VehicleSpec::kNotchCapacity, kNumbers, [&](std::size_t i) {
        NotchRecord notch;
        notch.AccelStart = parseF64(r.line());
        notch.AccelConst = parseF64(r.read_text());
        notch.SpeedConst = r.read_integer();
        notch.SpeedPower = r.read_integer();
        notch.DecayBase = parseF64(r.read_text());
        notch.ModeNumber = r.read_integer();
        if (notch.ModeNumber != static_cast<std::int64_t>(mode)) {
            if (mode == VehicleSpec::kModeCapacity) {
                throw ReadFailure("more than " + std::to_string(mode) + " power modes");
            }
            storeAt(v.ModeStart, mode++, static_cast<std::int32_t>(i));
        }
        storeAt(v.Notch, i, notch);
    });
    // Engine_Type as read so far: it has to stand before the notches.
    if (v.Engine_Type == 0) failCrossCheck(r, kNotchOnDieselError);
}

void readCurrentP(DataFileReader& r, VehicleSpec& v) {
    v.MaxCurrent = r.read_integer();
    v.CurrAccel = r.read_decimal();
    v.CurrSpeed = r.read_decimal();
    v.CurrentP.clear();
    r.read_list(VehicleSpec::kCurrentPCapacity, kNumbers, [&](std::size_t) {
        const std::string& line = r.line();
        v.CurrentP.push_back(
            {intField(line, 1), decimalField(line, 2), decimalField(line, 3), intField(line, 4)});
    });
}

void readBrakeCurr(DataFileReader& r, VehicleSpec& v) {
    r.read_list(VehicleSpec::kBrakeCurrCapacity, kNumbers,
                [&](std::size_t i) { storeAt(v.BrakeCurrMax, i, parseInteger(r.line())); });
}

void readCurrentB(DataFileReader& r, VehicleSpec& v) {
    v.CurrentB.clear();
    r.read_list(VehicleSpec::kCurrentBCapacity, kNumbers, [&](std::size_t) {
        const std::string& line = r.line();
        v.CurrentB.push_back({decimalField(line, 1), decimalField(line, 2), intField(line, 3)});
    });
}

void readEngine(DataFileReader& r, VehicleSpec& v) {
    v.Engine.clear();
    r.read_list(VehicleSpec::kEngineCapacity, kNumbers, [&](std::size_t) {
        EngineRow row;
        row.SpeedLow = parseInteger(r.line());
        row.SpeedHigh = r.read_integer();
        row.SpeedMax = r.read_integer();
        row.EffortLow = parseF64(r.read_text());
        row.EffortHigh = parseF64(r.read_text());
        row.EffortMax = parseF64(r.read_text());
        v.Engine.push_back(row);
    });
    if (v.Engine_Type == 1) failCrossCheck(r, kEngineOnElectricError);
}

void readPowerMode(DataFileReader& r, VehicleSpec& v) {
    v.PowerModeName.clear();
    // Names are texts, so an unclosed list simply ends with the file.
    r.read_list(VehicleSpec::kPowerModeCapacity, DataFileReader::Unclosed::EndsList,
                [&](std::size_t) {
                    v.PowerModeName.push_back({textField(r.line(), 1), textField(r.line(), 2)});
                });
}

}  // namespace tovra::vehicle
