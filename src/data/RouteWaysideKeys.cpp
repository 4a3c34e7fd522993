#include <limits>

#include "common/DataError.h"
#include "common/UiText.h"
#include "data/RouteSections.h"

namespace tovra::route {

namespace {

// Sound zone lists skip entry lines beginning with ";"; no other list does.
template <typename Record, std::size_t N>
void readIntegerListSkippingRemarks(DataFileReader& r, std::vector<Record>& table,
                                    std::size_t capacity, const IntegerFields<Record, N>& fields) {
    table.clear();
    r.read_list(std::numeric_limits<std::size_t>::max(), DataFileReader::Unclosed::IsError,
                [&](std::size_t) {
                    if (r.starts_with(";")) return;
                    ensureRoom(table.size(), capacity);
                    Record record;
                    readIntegerFields(r.line(), record, fields);
                    table.push_back(record);
                });
}

// An image line that cannot be taken apart fails with the picture's message.
template <typename Parse>
void readImageLine(DataFileReader& r, const ImageSlot& slot, Parse&& parse) {
    r.read_line();
    try {
        parse(r.line());
    } catch (const ReadFailure& failure) {
        throw DataError(uiText("DataFiles", slot.error), r.describe(failure));
    }
}

void readSpeedChecks(DataFileReader& r, std::vector<SpeedCheckRecord>& table) {
    using C = SpeedCheckRecord;
    readIntegerList(r, table, RouteSpec::kSpeedCheckCapacity,
                    IntegerFields<C, 4>{&C::targetSpeed, &C::field2, &C::frame, &C::signal});
}

}  // namespace

void readSoundZones(Reading& r) {
    readIntegerListSkippingRemarks(
        r.reader, r.result.SoundZones, RouteSpec::kSoundZoneCapacity,
        IntegerFields<SoundZone, 8>{&SoundZone::sound, &SoundZone::frame, &SoundZone::field3,
                                    &SoundZone::referenceSpeed, &SoundZone::field5,
                                    &SoundZone::pitchFollowsSpeed, &SoundZone::volumeFollowsSpeed,
                                    &SoundZone::field8});
}

void readStretchSounds(Reading& r) {
    readIntegerListSkippingRemarks(
        r.reader, r.result.SoundZones2, RouteSpec::kSoundZoneCapacity,
        IntegerFields<StretchSound, 3>{&StretchSound::sound, &StretchSound::firstStation,
                                       &StretchSound::lastStation});
}

void readDoppler(Reading& r) {
    readIntegerList(r.reader, r.result.DopplerSources, RouteSpec::kDopplerCapacity,
                    IntegerFields<DopplerSource, 5>{&DopplerSource::sound, &DopplerSource::frame,
                                                    &DopplerSource::range, &DopplerSource::panned,
                                                    &DopplerSource::station});
}

void readTunnels(Reading& r) {
    readIntegerList(
        r.reader, r.result.Tunnels, RouteSpec::kTunnelCapacity,
        IntegerFields<TunnelRecord, 3>{&TunnelRecord::entryFrame, &TunnelRecord::exitFrame,
                                       &TunnelRecord::field3});
}

void readAttenuations(Reading& r) {
    readIntegerList(r.reader, r.result.Attenuations, RouteSpec::kAttenuationCapacity,
                    IntegerFields<AttenuationRecord, 4>{
                        &AttenuationRecord::firstFrame, &AttenuationRecord::lastFrame,
                        &AttenuationRecord::field3, &AttenuationRecord::factor});
}

void readSignals(Reading& r) {
    using S = SignalRecord;
    static constexpr IntegerFields<S, 22> kFields{
        &S::control,     &S::field2,         &S::field3,          &S::signalType, &S::viewFrame,
        &S::signalFrame, &S::farBeaconFrame, &S::nearBeaconFrame, &S::heldAspect, &S::holdUntil,
        &S::holdStation, &S::headX,          &S::headY,           &S::field14,    &S::sub1X,
        &S::sub1Y,       &S::field17,        &S::sub2X,           &S::sub2Y,      &S::sub0X,
        &S::sub0Y,       &S::field22};
    readIntegerList(r.reader, r.result.Signals, RouteSpec::kSignalCapacity, kFields);
}

void readTrafficSignals(Reading& r) {
    readList(r.reader, r.result.TrafficSignals, RouteSpec::kTrafficSignalCapacity,
             [](std::string_view line) {
                 const auto field = [line](int n) { return parseInteger(CsvField(line, n)); };
                 TrafficSignalRecord light;
                 light.stopFrame = field(1);
                 light.viewFirstFrame = field(2);
                 light.viewLastFrame = field(3);
                 int n = 4;
                 for (auto& phase : light.phases) {
                     phase.image = field(n++);
                     phase.duration = field(n++);
                     phase.proceed = field(n++);
                 }
                 light.secondFrame = field(22);
                 light.indicatorFrame = field(23);
                 light.indicatorStopImage = field(24);
                 light.indicatorProceedImage = field(25);
                 light.alwaysMessage = field(26);
                 return light;
             });
}

void readSlopes(Reading& r) {
    static constexpr IntegerFields<SlopeRecord, 2> kFrames{&SlopeRecord::firstFrame,
                                                           &SlopeRecord::lastFrame};
    readList(r.reader, r.result.Slopes, RouteSpec::kSlopeCapacity, [](std::string_view line) {
        SlopeRecord slope;
        slope.gradient = parseFixed(CsvField(line, 1));
        readIntegerFields(line, slope, kFrames, 2);
        return slope;
    });
}

void readSigns(Reading& r) {
    readIntegerList(r.reader, r.result.Signs, RouteSpec::kSignCapacity,
                    IntegerFields<SignRecord, 4>{&SignRecord::image, &SignRecord::firstFrame,
                                                 &SignRecord::lastFrame, &SignRecord::change});
}

void readAnims(Reading& r) {
    readIntegerList(
        r.reader, r.result.Anims, RouteSpec::kAnimCapacity,
        IntegerFields<AnimRecord, 4>{&AnimRecord::firstFrame, &AnimRecord::lastFrame,
                                     &AnimRecord::ticksPerStep, &AnimRecord::firstImage});
}

void readSignalKanko(Reading& r) {
    readIntegerList(r.reader, r.result.SignalCallouts, RouteSpec::kSignalCalloutCapacity,
                    IntegerFields<SignalCallout, 3>{&SignalCallout::signal, &SignalCallout::when,
                                                    &SignalCallout::callout});
}

void readSpeedLimits(Reading& r) {
    using L = SpeedLimitRecord;
    readIntegerList(r.reader, r.result.SpeedLimits, RouteSpec::kSpeedLimitCapacity,
                    IntegerFields<L, 6>{&L::targetSpeed, &L::field2, &L::kind, &L::frame,
                                        &L::field5, &L::field6});
}

void readSpeedChecks1(Reading& r) {
    readSpeedChecks(r.reader, r.result.SpeedChecks1);
}
void readSpeedChecks2(Reading& r) {
    readSpeedChecks(r.reader, r.result.SpeedChecks2);
}

void readSignImages(Reading& r) {
    std::array<SignImageLine, 8> lines{};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        readImageLine(r.reader, kSignImageSlots[i], [&](std::string_view line) {
            lines[i].file = CsvField(line, 1);
            lines[i].size = parseInteger(CsvField(line, 2));
        });
    }
    r.result.SignImages = lines;
}

void readSignalImages(Reading& r) {
    SignalImageSet set;
    readImageLine(r.reader, kSignalImageSlots[0], [&](std::string_view line) {
        set.displayValues = {parseInteger(CsvField(line, 1)), parseInteger(CsvField(line, 2))};
        set.lines[0] = {parseInteger(CsvField(line, 3)), parseInteger(CsvField(line, 4)),
                        textField(line, 5)};
    });
    for (std::size_t i = 1; i < set.lines.size(); ++i) {
        readImageLine(r.reader, kSignalImageSlots[i], [&](std::string_view line) {
            set.lines[i] = {parseInteger(CsvField(line, 1)), parseInteger(CsvField(line, 2)),
                            textField(line, 3)};
        });
    }
    r.result.SignalImages = set;
}

void readCrossings(Reading& r) {
    readIntegerList(
        r.reader, r.result.Crossings, RouteSpec::kCrossingCapacity,
        IntegerFields<CrossingRecord, 5>{&CrossingRecord::image, &CrossingRecord::callout,
                                         &CrossingRecord::firstFrame, &CrossingRecord::lastFrame,
                                         &CrossingRecord::station});
}

void readSwitches(Reading& r) {
    readIntegerList(r.reader, r.result.Switches, RouteSpec::kSwitchCapacity,
                    IntegerFields<PointsRecord, 2>{&PointsRecord::frame, &PointsRecord::sound});
}

}  // namespace tovra::route
