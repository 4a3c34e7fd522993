#include <algorithm>
#include <iostream>
#include <memory>

#include "Commands.h"
#include "JsonWriter.h"
#include "RunChoiceOptions.h"
#include "headless/HeadlessRun.h"

namespace tovra::sim {

namespace {

void writeSpeedUnits(JsonWriter& json, const RouteSpec& route) {
    json.key("speedUnits");
    json.beginArray();
    for (const SpeedUnit& unit : route.SpeedUnits) {
        json.beginObject();
        json.field("firstFrame", unit.FirstFrame);
        json.field("lastFrame", unit.LastFrame);
        json.field("firstSpeed", unit.FirstSpeed);
        json.field("lastSpeed", unit.LastSpeed);
        json.field("endDistance", unit.EndDistance);
        json.endObject();
    }
    json.endArray();
}

void writeStations(JsonWriter& json, const RouteSpec& route) {
    json.key("stations");
    json.beginArray();
    for (const StationRecord& station : route.Stations) {
        json.beginObject();
        json.field("name", station.name);
        json.field("kind", station.kind);
        json.field("videoFrame", station.videoFrame);
        json.field("stopPosition", station.stopPosition);
        json.field("zoneStart", station.zoneStart);
        json.field("zoneEnd", station.zoneEnd);
        json.field("departureTime", station.departureTime);
        json.endObject();
    }
    json.endArray();
}

void writePatternPoints(JsonWriter& json, const PatternPoints& points) {
    json.key("patternPoints");
    json.beginArray();
    for (const PatternPoint& point : points) {
        json.beginObject();
        json.field("position", point.position);
        json.field("speed", point.speed);
        json.field("index", point.index);
        json.field("kind", point.kind);
        json.endObject();
    }
    json.endArray();
}

void writeChannels(JsonWriter& json, const ChannelLayout& channels) {
    json.key("channels");
    json.beginObject();
    json.field("drive", channels.drive);
    json.field("route", channels.route);
    json.field("motor", channels.motor);
    json.field("engine", channels.engine);
    json.field("callout", channels.callout);
    json.field("message", channels.message);
    json.endObject();
}

void writeSprites(JsonWriter& json, const SpriteModel& sprites) {
    json.key("sprites");
    json.beginArray();
    for (const Sprite& sprite : sprites.sprites()) {
        json.beginObject();
        json.field("name", sprite.name);
        json.field("x", sprite.x);
        json.field("y", sprite.y);
        json.field("depth", sprite.depth);
        json.field("visible", sprite.visible);
        json.endObject();
    }
    json.endArray();
}

void writeTables(std::ostream& out, const Cab& cab) {
    JsonWriter json(out);
    json.beginObject();
    writeSpeedUnits(json, cab.route);
    writeStations(json, cab.route);
    writePatternPoints(json, cab.patternPoints);
    json.field("startClock", cab.state.Clock);
    json.field("startFrame", cab.state.Frame);
    json.field("startPosition", cab.state.Position);
    writeChannels(json, cab.channels);
    json.key("routeSoundSeconds");
    json.beginArray();
    const std::size_t timed =
        std::min(cab.route.AmbientSounds.size(), cab.routeSoundSeconds.size());
    for (std::size_t k = 0; k < timed; ++k) json.value(cab.routeSoundSeconds[k]);
    json.endArray();
    writeSprites(json, cab.sprites);
    json.endObject();
}

}  // namespace

int tablesCommand(const std::vector<std::string>& args, const VideoMeasure& measureVideo) {
    const Options options(args, kRunChoiceOptions, {});
    options.required("route");
    auto run = std::make_unique<HeadlessRun>(runChoice(options), 1, nullptr, measureVideo);
    run->cab.load();
    for (const std::string& message : run->host.messages) std::cerr << message << '\n';
    writeTables(std::cout, run->cab);
    return 0;
}

}  // namespace tovra::sim
