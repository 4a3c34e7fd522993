#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Currency.h"
#include "common/UiText.h"
#include "data/SpeedUnits.h"

namespace tovra {

// One station of the route, in route order. The last three values are
// computed from videoFrame when the run is set up.
struct StationRecord {
    std::string name;
    std::int32_t kind = 0;  // 0 stop with doors, 1 pass, 2 stop without doors, 3 information
    std::int32_t videoFrame = 0;
    std::int32_t zoneHalfLength = 0;  // cm
    std::int32_t arrivalSound = 0;    // AmbientSounds index
    std::int32_t departureSound = 0;  // AmbientSounds index: the departure melody
    std::int32_t zoneSound = 0;       // AmbientSounds index, 0 none
    std::int32_t departureTime = 0;   // clock ticks, 0 none
    std::int32_t sectionLimit = 0;    // km/h up to the next station
    std::int32_t arrivalEvent = 0;    // 1: station-stop pattern point 20 m beyond
    std::int32_t stopMarkType = 0;    // 1: the alternative stop line
    std::int32_t field12 = 0;
    std::int32_t field13 = 0;
    std::int32_t platformSide = 0;  // 0 or 1
    std::int32_t chimeChance = 0;   // percent

    Extended stopPosition = 0;  // cm
    Extended zoneStart = 0;
    Extended zoneEnd = 0;
};

struct MovieSwitch {
    std::int32_t Mode = 0;  // 2: while standing in a stop window; else a frame range
    std::int32_t FirstFrame = 0;
    std::int32_t LastFrame = 0;
    std::string File;  // base name under the video folder, without ".avi"
    std::int32_t Length = 0;
    std::int32_t Target = 0;  // Mode 2: station index; else the frame to resume at
    std::int32_t Time = 0;    // clock ticks
    std::int32_t SoundFrame = 0;
    std::int32_t Sound = 0;  // AmbientSounds index
    bool Done = false;
};

struct PreTrainLeg {
    std::int32_t Station = 0;
    std::int32_t Step = 0;
    std::int32_t DepartTime = 0;  // clock ticks
};

struct Announcement {
    std::int32_t Sound = 0;  // AmbientSounds index
    std::int32_t Kind = 0;   // 0 after departure, 1 before arrival
    std::int32_t Station = 0;
    std::int32_t Distance = 0;  // m from the station's stop position
};

struct StationCallout {
    std::int32_t Station = 0;
    std::int32_t When = 0;
    std::int32_t Callout = 0;  // CalloutSounds index, 999 Enter, 1000+ time codes
};

struct TimeCallout {
    std::int32_t FirstFrame = 0;
    std::int32_t LastFrame = 0;
    std::int32_t Code = 0;
    bool Done = false;
};

// The picture laid over the cab for one vehicle type; present only when the
// route names the vehicle file that was chosen.
struct MonitorPicture {
    bool present = false;
    std::int32_t x = 0, y = 0;
    std::int32_t patternWidth = 0, patternHeight = 0;
    std::string image;  // empty: no picture
};

struct SignalRecord {
    std::int32_t control =
        0;  // 0 block, 1 held until holdUntil, 2 always held, 3 held until melody
    std::int32_t field2 = 0, field3 = 0;
    std::int32_t signalType = 0;
    std::int32_t viewFrame = 0;
    std::int32_t signalFrame = 0;
    std::int32_t farBeaconFrame = 0;
    std::int32_t nearBeaconFrame = 0;
    std::int32_t heldAspect = 0;
    std::int32_t holdUntil = 0;  // clock ticks
    std::int32_t holdStation = 0;
    std::int32_t headX = 0, headY = 0;
    std::int32_t field14 = 0;
    std::int32_t sub1X = 0, sub1Y = 0;
    std::int32_t field17 = 0;
    std::int32_t sub2X = 0, sub2Y = 0;
    std::int32_t sub0X = 0, sub0Y = 0;
    std::int32_t field22 = 0;

    std::int32_t aspect = 0;  // run time: 0 stop, higher less restrictive
    std::int32_t face = 0;    // run time: image index
};

struct TrafficPhase {
    std::int32_t image = 0;
    std::int32_t duration = 0;  // logic ticks
    std::int32_t proceed = 0;   // 1: trains may pass
};

struct TrafficSignalRecord {
    std::int32_t stopFrame = 0;
    std::int32_t viewFirstFrame = 0;
    std::int32_t viewLastFrame = 0;
    std::array<TrafficPhase, 6> phases{};
    std::int32_t secondFrame = 0;
    std::int32_t indicatorFrame = 0;
    std::int32_t indicatorStopImage = 0;
    std::int32_t indicatorProceedImage = 0;
    std::int32_t alwaysMessage = 0;

    Extended stopPosition = 0;  // cm, set up from stopFrame
    Extended secondPosition = 0;
    std::int32_t phase = 1;  // run time: current phase 1..6
    std::array<std::int32_t, 6> countdowns{};
};

struct SpeedLimitRecord {
    std::int32_t targetSpeed = 0;  // km/h
    std::int32_t field2 = 0;
    std::int32_t kind = 0;  // pattern-point kind
    std::int32_t frame = 0;
    std::int32_t field5 = 0, field6 = 0;
    Extended position = 0;  // cm
};

struct SpeedCheckRecord {
    std::int32_t targetSpeed = 0;  // km/h
    std::int32_t field2 = 0;
    std::int32_t frame = 0;
    std::int32_t signal = 0;  // not 0: applies only while that signal shows stop
    Extended position = 0;    // cm
};

struct SignalCallout {
    std::int32_t signal = 0;
    std::int32_t when = 0;
    std::int32_t callout = 0;
};

struct SlopeRecord {
    Currency gradient;  // permil, positive uphill
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
};

struct SignRecord {
    std::int32_t image = 0;
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
    std::int32_t change = 0;  // 0 never, 1..999 seconds in view, 1000+ clock ticks
};

struct AnimRecord {
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
    std::int32_t ticksPerStep = 0;
    std::int32_t firstImage = 0;
};

struct CrossingRecord {
    std::int32_t image = 0;
    std::int32_t callout = 0;  // the Enter key's call-out for it
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
    std::int32_t station = 0;
};

struct PointsRecord {
    std::int32_t frame = 0;
    std::int32_t sound = 0;  // the vehicle's points sound record
};

struct SoundZone {
    std::int32_t sound = 0;
    std::int32_t frame = 0;
    std::int32_t field3 = 0;
    std::int32_t referenceSpeed = 0;  // km/h
    std::int32_t field5 = 0;
    std::int32_t pitchFollowsSpeed = 0;
    std::int32_t volumeFollowsSpeed = 0;
    std::int32_t field8 = 0;
};

struct StretchSound {
    std::int32_t sound = 0;
    std::int32_t firstStation = 0;
    std::int32_t lastStation = 0;
};

struct DopplerSource {
    std::int32_t sound = 0;
    std::int32_t frame = 0;
    std::int32_t range = 0;    // cm
    std::int32_t panned = 0;   // 0: panned by bearing
    std::int32_t station = 0;  // 0 always, else after that station's departure
    Extended position = 0;     // cm
};

struct TunnelRecord {
    std::int32_t entryFrame = 0;
    std::int32_t exitFrame = 0;
    std::int32_t field3 = 0;
    Extended entryPosition = 0;  // cm
    Extended exitPosition = 0;
};

struct AttenuationRecord {
    std::int32_t firstFrame = 0;
    std::int32_t lastFrame = 0;
    std::int32_t field3 = 0;
    std::int32_t factor = 0;  // x 100
};

struct SignImageLine {
    std::string file;
    std::int32_t size = 0;
};

struct SignalImageLine {
    std::int32_t patternWidth = 0;
    std::int32_t patternHeight = 0;
    std::string file;
};

struct SignalImageSet {
    std::array<std::int32_t, 2> displayValues{};  // lead the first line
    std::array<SignalImageLine, 4> lines{};
};

// Picture names and failure messages (shown through uiText) of the sign and
// signal image lines, in line order.
struct ImageSlot {
    const char* name;
    const char* error;
};
inline constexpr std::array<ImageSlot, 8> kSignImageSlots{{
    {"img_unten_teimoku", uiTextMark("DataFiles", "停目の生成エラー")},
    {"img_unten_teimokuS", uiTextMark("DataFiles", "停止線Sの生成エラー")},
    {"img_unten_teimokuM", uiTextMark("DataFiles", "停止線Mの生成エラー")},
    {"img_unten_teimokuE", uiTextMark("DataFiles", "停止線Eの生成エラー")},
    {"img_unten_slope", uiTextMark("DataFiles", "勾配標の生成エラー")},
    {"img_unten_limit", uiTextMark("DataFiles", "制限標の生成エラー")},
    {"img_unten_remain", uiTextMark("DataFiles", "残り距離表示の生成エラー")},
    {"img_unten_other", uiTextMark("DataFiles", "その他標識の生成エラー")},
}};
inline constexpr std::array<ImageSlot, 4> kSignalImageSlots{{
    {"img_unten_signal", uiTextMark("DataFiles", "信号機の生成エラー")},
    {"img_unten_signal_S", uiTextMark("DataFiles", "サブ信号機0の生成エラー")},
    {"img_unten_signal_L", uiTextMark("DataFiles", "サブ信号機1の生成エラー")},
    {"img_unten_signal_R", uiTextMark("DataFiles", "サブ信号機2の生成エラー")},
}};

// Every value of one route file. A fresh RouteSpec holds the values a route
// starts from before its file is read.
struct RouteSpec {
    std::string LineName;
    std::string LineName2;
    std::int32_t StartFrame = 0;
    std::int32_t FrameRate = 0;
    std::string StaffOverlayImage, OpeningImage, StaffImage;
    Currency Friction;
    std::string DataName;
    Extended PerspectiveDistance = 0;   // m
    std::int32_t PerspectiveScale = 0;  // pixels
    std::int32_t OneMan = 0;
    std::int32_t TunnelR = 0;  // tunnel drag x 10000
    MonitorPicture Monitor;

    static constexpr std::size_t kStaffSwitchCapacity = 10;
    std::vector<std::int32_t> StaffSwitchFrames;

    // The first is the frame at which the line ends; slots without an entry are 0.
    std::array<std::int32_t, 101> MovieStopFrames{};

    static constexpr std::size_t kMovieSwitchCapacity = 100;
    std::vector<MovieSwitch> MovieSwitches;

    static constexpr std::size_t kSpeedSignalCapacity = 11;
    std::vector<std::int32_t> SpeedSignal;  // km/h per aspect

    std::int32_t PreTrainStart = 0;
    std::int32_t PreTrainEnd = 0;
    static constexpr std::size_t kPreTrainCapacity = 999;
    std::vector<PreTrainLeg> PreTrain;

    // Only the first kTimedAmbientSounds get a recorded playing time.
    static constexpr std::size_t kAmbientSoundCapacity = 501;
    static constexpr std::size_t kTimedAmbientSounds = 100;
    std::vector<std::string> AmbientSounds;

    // Entry 0 is the header value (the overrun announcement's sound); the
    // announcements proper are entries 1 .. AnnouncementCount().
    static constexpr std::size_t kAnnouncementSlots = 500;
    std::vector<Announcement> Announcements{Announcement{}};
    std::size_t AnnouncementCount() const { return Announcements.size() - 1; }

    // 0..21 from "[KankoSound1]"; 22 onwards from "[KankoSound2]", whose entry
    // at index k has the sequence number k - 22. Empty: no sound.
    static constexpr std::size_t kFixedCallouts = 22;
    std::array<std::string, 500> CalloutSounds{};
    std::size_t CalloutSound2Count = 0;

    static constexpr std::size_t kStationCapacity = 100;
    std::vector<StationRecord> Stations;
    // The record after the last station reads as all zero.
    const StationRecord& stationOrEmpty(std::size_t index) const {
        static const StationRecord empty{};
        return index < Stations.size() ? Stations[index] : empty;
    }

    static constexpr std::size_t kStopSoundCapacity = 501;
    std::vector<std::int32_t> StopSounds;

    static constexpr std::size_t kStationCalloutCapacity = 501;
    std::vector<StationCallout> StationCallouts;

    static constexpr std::size_t kTimeCalloutCapacity = 100;
    std::vector<TimeCallout> TimeCallouts;

    static constexpr std::size_t kSpeedUnitCapacity = 30000;
    std::vector<SpeedUnit> SpeedUnits;  // EndDistance computed on loading

    static constexpr std::size_t kSignalCapacity = 501;
    std::vector<SignalRecord> Signals;
    static constexpr std::size_t kTrafficSignalCapacity = 501;
    std::vector<TrafficSignalRecord> TrafficSignals;
    static constexpr std::size_t kSpeedLimitCapacity = 501;
    std::vector<SpeedLimitRecord> SpeedLimits;
    static constexpr std::size_t kSpeedCheckCapacity = 501;
    std::vector<SpeedCheckRecord> SpeedChecks1;
    std::vector<SpeedCheckRecord> SpeedChecks2;  // same capacity
    static constexpr std::size_t kSignalCalloutCapacity = 501;
    std::vector<SignalCallout> SignalCallouts;
    static constexpr std::size_t kLimitCalloutCapacity = 1000;
    std::vector<std::string> LimitCallouts;
    static constexpr std::size_t kOtherCalloutCapacity = 1000;
    std::vector<std::string> OtherCallouts;

    static constexpr std::size_t kSlopeCapacity = 500;
    std::vector<SlopeRecord> Slopes;
    static constexpr std::size_t kSignCapacity = 501;
    std::vector<SignRecord> Signs;
    static constexpr std::size_t kAnimCapacity = 501;
    std::vector<AnimRecord> Anims;
    static constexpr std::size_t kCrossingCapacity = 1000;
    std::vector<CrossingRecord> Crossings;
    static constexpr std::size_t kSwitchCapacity = 501;
    std::vector<PointsRecord> Switches;

    static constexpr std::size_t kSoundZoneCapacity = 501;
    std::vector<SoundZone> SoundZones;
    std::vector<StretchSound> SoundZones2;  // same capacity
    static constexpr std::size_t kDopplerCapacity = 501;
    std::vector<DopplerSource> DopplerSources;
    static constexpr std::size_t kTunnelCapacity = 501;
    std::vector<TunnelRecord> Tunnels;
    static constexpr std::size_t kAttenuationCapacity = 501;
    std::vector<AttenuationRecord> Attenuations;

    // Present once their section was read; their pictures are made from them.
    std::optional<std::array<SignImageLine, 8>> SignImages;
    std::optional<SignalImageSet> SignalImages;
    // Image lists grow with each bitmap added; the file sets no bound.
    std::vector<std::string> AnimImages;
    std::vector<std::string> TrafficSignalImages;
    std::vector<std::string> CrossImages;
};

}  // namespace tovra
