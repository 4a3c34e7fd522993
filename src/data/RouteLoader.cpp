#include "data/RouteLoader.h"

#include "common/DataError.h"
#include "common/UiText.h"
#include "data/RouteSections.h"

namespace tovra {

namespace {

using route::Reading;

// Far more bitmaps than any animation or signal shows: a file naming one
// picture thousands of times cannot make the loading allocate without end.
constexpr std::size_t kImageListCapacity = 1000;

struct Tag {
    std::string_view tag;
    bool setsLabel;  // the tag becomes the error label before it is tested
    route::Section read;
};

// Test order of every pass. A value line that begins with a later tag is
// taken as that tag, so the order is part of the file format.
constexpr Tag kTags[] = {
    {"[LineName]", false, [](Reading& r) { r.result.LineName = r.reader.read_text(); }},
    {"[LineName2]", false, [](Reading& r) { r.result.LineName2 = r.reader.read_text(); }},
    {"[StartPos]", false, [](Reading& r) { r.result.StartFrame = r.reader.read_integer(); }},
    {"[FrameRate]", false, [](Reading& r) { r.result.FrameRate = r.reader.read_integer(); }},
    {"[Staf]", false,
     [](Reading& r) {
         r.result.StaffOverlayImage = r.reader.read_text();
         r.result.OpeningImage = r.reader.read_text();
         r.result.StaffImage = r.reader.read_text();
     }},
    {"[Friction]", false, [](Reading& r) { r.result.Friction = parseFixed(r.reader.read_text()); }},
    {"[StafSwitch]", true, route::readStaffSwitch},
    {"[MovieStop]", true, route::readMovieStop},
    {"[MovieSwitch]", true, route::readMovieSwitch},
    {"[Speed_Signal]", true,
     [](Reading& r) {
         route::readIntegerValues(r.reader, r.result.SpeedSignal, RouteSpec::kSpeedSignalCapacity);
     }},
    {"[DataName]", false, [](Reading& r) { r.result.DataName = r.reader.read_text(); }},
    {"[Perspective]", false,
     [](Reading& r) {
         r.result.PerspectiveDistance = r.reader.read_decimal();
         r.result.PerspectiveScale = r.reader.read_integer();
     }},
    {"[Pre_Train]", true, route::readPreTrain},
    {"[OneMan]", false, [](Reading& r) { r.result.OneMan = r.reader.read_integer(); }},
    {"[SoundData]", true,
     [](Reading& r) {
         route::readFileNames(r.reader, r.result.AmbientSounds, RouteSpec::kAmbientSoundCapacity);
     }},
    {"[Monitor]", false, route::readMonitor},
    {"[Announce]", true, route::readAnnounce},
    {"[KankoSound1]", true, route::readKankoSound1},
    {"[KankoSound2]", true, route::readKankoSound2},
    {"[Sound]", true, route::readSoundZones},
    {"[Sound2]", true, route::readStretchSounds},
    {"[Doppler]", true, route::readDoppler},
    {"[Tunnel]", true, route::readTunnels},
    {"[Atten]", true, route::readAttenuations},
    {"[TunnelR]", true, [](Reading& r) { r.result.TunnelR = r.reader.read_integer(); }},
    {"[Station]", true, route::readStations},
    {"[StopSound]", true,
     [](Reading& r) {
         route::readIntegerValues(r.reader, r.result.StopSounds, RouteSpec::kStopSoundCapacity);
     }},
    {"[Signal]", true, route::readSignals},
    {"[TrafficSignal]", true, route::readTrafficSignals},
    {"[Slope]", true, route::readSlopes},
    {"[Sign]", true, route::readSigns},
    {"[Anim]", true, route::readAnims},
    {"[SignalKanko]", true, route::readSignalKanko},
    {"[StationKanko]", true, route::readStationKanko},
    {"[SpeedLimit]", true, route::readSpeedLimits},
    {"[SpeedCheck1]", true, route::readSpeedChecks1},
    {"[SpeedCheck2]", true, route::readSpeedChecks2},
    {"[SignImageList]", true, route::readSignImages},
    {"[SignalImageList]", true, route::readSignalImages},
    {"[OtherKanko]", true,
     [](Reading& r) {
         route::readFileNames(r.reader, r.result.OtherCallouts, RouteSpec::kOtherCalloutCapacity);
     }},
    {"[LimitKanko]", true,
     [](Reading& r) {
         route::readFileNames(r.reader, r.result.LimitCallouts, RouteSpec::kLimitCalloutCapacity);
     }},
    {"[AnimImageList]", true,
     [](Reading& r) { route::readFileNames(r.reader, r.result.AnimImages, kImageListCapacity); }},
    {"[TrafficSignalImageList]", true,
     [](Reading& r) {
         route::readFileNames(r.reader, r.result.TrafficSignalImages, kImageListCapacity);
     }},
    {"[SpeedUnit]", true, route::readSpeedUnits},
    {"[CrossImageList]", true,
     [](Reading& r) { route::readFileNames(r.reader, r.result.CrossImages, kImageListCapacity); }},
    {"[Cross]", true, route::readCrossings},
    {"[Time]", true, route::readTimeCallouts},
    {"[Switch]", true, route::readSwitches},
};

constexpr const char* kOtherLabel = uiTextMark("DataFiles", "その他");

}  // namespace

std::string routeFileMessage(std::string_view label, std::string_view line) {
    std::string message = uiText("DataFiles", kRouteFileError);
    message += uiText("DataFiles", std::string(label).c_str());
    message += ':';
    message += line;
    return message;
}

RouteSpec loadRouteSpec(const std::filesystem::path& file, const std::string& vehicleFileName,
                        std::vector<std::size_t>* speedUnitLines) {
    RouteSpec result;
    DataFileReader reader;
    Reading reading{reader, result, vehicleFileName, speedUnitLines};
    std::string_view label = kOtherLabel;
    try {
        reader.open(file);
        while (!reader.at_end()) {
            label = kOtherLabel;
            reader.read_line();
            for (const Tag& tag : kTags) {
                if (tag.setsLabel) label = tag.tag;
                if (reader.starts_with(tag.tag)) tag.read(reading);
            }
        }
    } catch (const ReadFailure& failure) {
        throw DataError(routeFileMessage(label, reader.line()), reader.describe(failure));
    }
    computeEndDistances(result.SpeedUnits);
    return result;
}

std::vector<SpeedUnit> loadSpeedUnits(const std::filesystem::path& file) {
    RouteSpec result;
    DataFileReader reader;
    const std::string noVehicle;
    Reading reading{reader, result, noVehicle};
    constexpr std::string_view kTag = "[SpeedUnit]";
    try {
        reader.open(file);
        while (!reader.at_end()) {
            reader.read_line();
            if (!reader.starts_with(kTag)) continue;
            route::readSpeedUnits(reading);
            computeEndDistances(result.SpeedUnits);
            return std::move(result.SpeedUnits);
        }
    } catch (const ReadFailure& failure) {
        throw DataError(routeFileMessage(kTag, reader.line()), reader.describe(failure));
    }
    throw DataError(routeFileMessage(kTag, ""), file.string() + ": no [SpeedUnit] section");
}

}  // namespace tovra
