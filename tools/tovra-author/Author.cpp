#include "Author.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <stdexcept>

#include "GpsTrack.h"
#include "SegmentFit.h"
#include "SlopeFit.h"
#include "StationList.h"
#include "WholeFile.h"
#include "common/DataError.h"
#include "common/TextFields.h"
#include "data/ProgramSettings.h"
#include "data/RouteLoader.h"

namespace tovra::author {

namespace fs = std::filesystem;

namespace {

// The speed limit after the last station, where the route ends.
constexpr int kEndLimit = 25;
// Measured speeds of the picture are averaged over this many frames for the preview.
constexpr int kPreviewFrames = 15;

double toVideoSpeed(double fileSpeed, double fps) {
    return fileSpeed * fps / kFilmFramesPerSecond;
}

std::vector<StationMark> stationMarks(const std::vector<StationInput>& stations,
                                      const std::vector<SpeedUnit>& units, double fps) {
    std::vector<StationMark> marks;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        int limit = kEndLimit;
        if (i + 1 < stations.size()) {
            double top = 0;
            for (const SpeedUnit& u : units) {
                if (u.LastFrame <= stations[i].frame || u.FirstFrame >= stations[i + 1].frame)
                    continue;
                top = std::max({top, double(u.FirstSpeed), double(u.LastSpeed)});
            }
            // A margin over the filmed speed, in steps of 5 km/h.
            limit = int(std::ceil(toVideoSpeed(top, fps) / 5)) * 5 + 5;
        }
        marks.push_back({stations[i].name, stations[i].frame, limit});
    }
    return marks;
}

std::vector<SpeedPoint> averagedSpeeds(const std::vector<double>& positions, double fps) {
    std::vector<SpeedPoint> out;
    for (std::size_t f = 0; f + kPreviewFrames < positions.size(); f += kPreviewFrames) {
        const double step = (positions[f + kPreviewFrames] - positions[f]) / kPreviewFrames;
        out.push_back({f + kPreviewFrames / 2.0, toVideoSpeed(speedOfStep(step), fps)});
    }
    return out;
}

struct FromTrack {
    std::vector<double> positions;
    std::vector<SpeedPoint> measured;
    std::vector<HeightSample> heights;
    double start = 0;  // track time of frame 0
};

FromTrack fromTrack(const AuthorRequest& request, const VideoFacts& video) {
    const std::vector<TrackPoint> points = readTrack(request.track);
    const std::vector<TrackSample> samples = alongTrack(points);
    TrackSync sync = request.sync.value_or(TrackSync{0, points.front().time + request.trackOffset});
    if (sync.timeOfDay) sync.time += std::floor(points.front().time / 86400) * 86400;
    const double fps = video.fps;
    FromTrack out;
    out.positions = positionsFromTrack(samples, sync, fps, video.frameCount);
    const auto frameOf = [&](double time) { return sync.frame + (time - sync.time) * fps; };
    const double origin = distanceAt(samples, sync.time - sync.frame / fps);
    out.start = sync.time - sync.frame / fps;
    for (std::size_t i = 0; i + 1 < samples.size(); ++i) {
        const TrackSample& a = samples[i];
        const TrackSample& b = samples[i + 1];
        const double frame = frameOf((a.time + b.time) / 2);
        if (b.time > a.time && frame >= 0 && frame < video.frameCount)
            out.measured.push_back({frame, (b.distance - a.distance) / (b.time - a.time) * 3.6});
    }
    for (const TrackSample& s : samples)
        if (s.elevation) out.heights.push_back({s.distance - origin, *s.elevation});
    return out;
}

}  // namespace

std::string dataNameOf(const fs::path& video, const fs::path& dataDir) {
    std::string videoDir;
    if (fs::exists(dataDir / "velmoran.dat"))
        videoDir = loadProgramSettings(dataDir / "velmoran.dat").VideoDir;
    std::replace(videoDir.begin(), videoDir.end(), '\\', '/');
    const fs::path base = fs::weakly_canonical(dataDir / videoDir);
    const fs::path relative = fs::weakly_canonical(video).lexically_relative(base);
    if (relative.empty() || *relative.begin() == "..")
        throw std::invalid_argument(video.string() + ": the video must lie in " + base.string() +
                                    ", the data folder's video folder");
    std::string name;
    for (const fs::path& part : relative.parent_path()) name += part.string() + "\\";
    return name + relative.stem().string();
}

namespace {

std::vector<double> cumulative(const std::vector<double>& steps) {
    std::vector<double> out;
    double sum = 0;
    for (double step : steps) out.push_back(sum += step);
    return out;
}

// The stations at the stops found in `along` (any unit), with kilometre
// posts from `kmOf(frame)`.
template <typename KmOf>
void stationsAtStopsOf(const AuthorRequest& request, const std::vector<double>& along, double fps,
                       Authored& out, KmOf kmOf) {
    out.stops = findStops(along, fps);
    out.stations = stationsAtStops(out.stops, request.names, request.signalStops);
    for (StationInput& s : out.stations) s.km = kmOf(s.frame);
}

}  // namespace

std::string foundStationsCsv(const Authored& authored) {
    const bool withKm = !authored.positions.empty();
    std::vector<CsvNote> notes;
    for (const FoundStop& stop : authored.stops) {
        const bool made = std::any_of(authored.stations.begin(), authored.stations.end(),
                                      [&](const StationInput& s) { return s.frame == stop.frame; });
        if (made) continue;
        std::string text = "a stop of " + formatFixed(stop.dwell, 0) + " s, a signal? 信号," +
                           std::to_string(stop.frame);
        if (withKm) {
            const StationInput& first = authored.stations.front();
            text += "," + formatFixed(first.km + (authored.positions[stop.frame] -
                                                  authored.positions[first.frame]) /
                                                     1e5,
                                      3);
        }
        notes.push_back({stop.frame, text});
    }
    return stationsCsv(authored.stations, notes, withKm);
}

Authored authorRoute(const AuthorRequest& request, const Progress& progress) {
    Authored out;
    out.video = probeVideo(request.video);
    const VideoFacts& video = out.video;
    out.stations = request.stations;
    const bool find = out.stations.empty();
    std::vector<HeightSample> heights;
    switch (request.source) {
        case SpeedSource::Gps: {
            FromTrack track = fromTrack(request, video);
            out.positions = std::move(track.positions);
            out.measured = std::move(track.measured);
            heights = std::move(track.heights);
            out.trackStart = track.start;
            if (find)
                stationsAtStopsOf(request, out.positions, video.fps, out,
                                  [&](int f) { return out.positions[f] / 1e5; });
            checkStations(out.stations, video.frameCount, false);
            break;
        }
        case SpeedSource::Picture: {
            if (!find) checkStations(out.stations, video.frameCount, true);
            std::vector<int> standing;
            for (const StationInput& s : out.stations) standing.push_back(s.frame);
            const std::vector<double> motion =
                measureMotion(request.video, request.band, standing, progress);
            const std::vector<double> smooth = smoothMotion(motion);
            if (find) {
                stationsAtStopsOf(request, cumulative(smooth), video.fps, out,
                                  [&](int) { return 0.0; });
                if (request.kms.size() != out.stations.size())
                    throw std::invalid_argument(
                        "the picture gives no distances: give the kilometre posts of the " +
                        std::to_string(out.stations.size()) +
                        " stations found with --kms, or write them into this list and pass it "
                        "with --stations:\n" +
                        foundStationsCsv(out));
                for (std::size_t i = 0; i < out.stations.size(); ++i)
                    out.stations[i].km = request.kms[i];
                checkStations(out.stations, video.frameCount, true);
            }
            out.positions = positionsFromMotion(out.stations, smooth, video.fps);
            out.measured =
                averagedSpeeds(positionsFromMotion(out.stations, motion, video.fps), video.fps);
            break;
        }
        case SpeedSource::Stations:
            if (find)
                throw std::invalid_argument(
                    "without --gps or --picture the stations and their kilometre posts are "
                    "needed (--station or --stations)");
            checkStations(out.stations, video.frameCount, true);
            out.positions =
                positionsFromStations(out.stations, video.fps, video.frameCount, request.style);
            break;
    }
    RouteDraft& d = out.draft;
    d.lineName = request.lineName;
    d.lineName2 = request.lineName2.empty() ? request.lineName : request.lineName2;
    d.dataName = dataNameOf(request.video, request.dataDir);
    d.frameRate = int(std::lround(video.fps));
    d.units = fitSpeedUnits(out.positions, request.tolerance);
    d.stations = stationMarks(out.stations, d.units, video.fps);
    d.slopes = fitSlopes(heights, out.positions);
    d.stopFrame = video.frameCount - 1;
    return out;
}

void writeRoute(const AuthorRequest& request, const Authored& authored) {
    saveRoute(request.routeFile, authored.draft);
    fs::path svg = request.routeFile;
    svg.replace_extension(".svg");
    static const char* const kWays[] = {"GPS track", "picture motion", "station distances"};
    const std::string caption = authored.draft.lineName + ": speed from the " +
                                kWays[int(request.source)] + ", " +
                                std::to_string(authored.draft.units.size()) + " segments";
    writeWhole(svg, previewSvg(authored.draft, authored.measured, authored.video.fps, caption));
    std::vector<int> frames;
    for (const StationMark& s : authored.draft.stations) frames.push_back(s.frame);
    const fs::path sheet =
        request.routeFile.parent_path() / (request.routeFile.stem().string() + "-stations.png");
    saveContactSheet(sheet, authored.draft.stations, framePictures(request.video, frames));
}

std::vector<double> stretchSpeedErrors(const std::vector<SpeedUnit>& units,
                                       const std::vector<SpeedUnit>& truth,
                                       const std::vector<StationMark>& stations, double fps) {
    const auto speedAt = [](const std::vector<SpeedUnit>& table, int frame) {
        for (const SpeedUnit& u : table) {
            if (!containsFrame(u, frame) || u.LastFrame == u.FirstFrame) continue;
            return double(u.FirstSpeed + (u.LastSpeed - u.FirstSpeed) * (frame - u.FirstFrame) /
                                             (u.LastFrame - u.FirstFrame));
        }
        return 0.0;
    };
    std::vector<double> errors;
    for (std::size_t i = 0; i + 1 < stations.size(); ++i) {
        double sum = 0;
        const int from = stations[i].frame, to = stations[i + 1].frame;
        for (int f = from; f < to; ++f) {
            const double d = toVideoSpeed(speedAt(units, f) - speedAt(truth, f), fps);
            sum += d * d;
        }
        errors.push_back(std::sqrt(sum / std::max(1, to - from)));
    }
    return errors;
}

std::string videoNote(const fs::path& video, const VideoFacts& facts) {
    if (facts.rotation == 0) return {};
    // The program shows the pictures as stored; FFmpeg turns them when it
    // re-encodes, keeping their times.
    fs::path upright = video;
    upright.replace_filename(video.stem().string() + "-upright.mp4");
    return "the video is to be shown turned " + std::to_string(facts.rotation) +
           " degrees clockwise: it is measured so, but the program shows its pictures as "
           "stored; turn it once with\n  ffmpeg -i " +
           video.string() + " -c:a copy " + upright.string() + "\nand author from that file";
}

bool checkRoute(const fs::path& routeFile, std::ostream& out) {
    RouteSpec route;
    try {
        route = loadRouteSpec(routeFile, "");
    } catch (const DataError& error) {
        out << "check: " << error.what() << "\n  " << error.detail() << '\n';
        return false;
    }
    const std::vector<SpeedUnit>& units = route.SpeedUnits;
    const auto metres = [&](int frame) {
        const auto cm = frame_to_position(units, frame);
        return cm ? double(*cm) / 100 : 0.0;
    };
    out << std::fixed << std::setprecision(1);
    out << "check: " << routeFile.string() << " loads\n";
    const int last = units.empty() ? 0 : units.back().LastFrame;
    out << "  length " << metres(last) << " m over frames 0 to " << last << ", " << units.size()
        << " speed segments, " << route.Slopes.size() << " gradients\n";
    for (std::size_t i = 0; i < route.Stations.size(); ++i) {
        const StationRecord& s = route.Stations[i];
        out << "  station " << i << " " << s.name << ": frame " << s.videoFrame << ", "
            << metres(s.videoFrame) << " m\n";
    }
    return true;
}

}  // namespace tovra::author
