// tovra-author: a starter route file from a cab-ride video (see README).
#include <QApplication>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

#include "Author.h"
#include "AuthorWindow.h"
#include "GpsTrack.h"
#include "StationList.h"
#include "common/DataPath.h"
#include "common/TextFields.h"
#include "data/RouteLoader.h"

namespace {

using namespace tovra::author;

constexpr const char* kUsage =
    "usage: tovra-author --video FILE --out ROUTE.dat --line NAME [options]\n"
    "       tovra-author --video FILE [options]   (no --out: a window to check the stations,\n"
    "                                            measure and write the route)\n"
    "  --station NAME,FRAME[,KM]  a station (repeat), in video order: the frame where the\n"
    "                             train stands at the stop mark, and its kilometre post\n"
    "  --stations FILE.csv        the same, one station per line\n"
    "  (no stations: every stop found becomes one, and the list is printed to edit\n"
    "   and pass back with --stations; a stop the video shows for 2 to 15 s is a\n"
    "   signal stop, listed but no station)\n"
    "    --names A,B,...          the names of the stations found, in order (default 駅1, 駅2, "
    "...)\n"
    "    --kms KM,KM,...          their kilometre posts, for --picture\n"
    "    --signal-stops           signal stops are stations too\n"
    "  --gps FILE                 speed from a GPS track (GPX 1.1 or NMEA RMC/GGA)\n"
    "    --sync FRAME@TIME        the track time at which FRAME was filmed (ISO 8601, or\n"
    "                             hh:mm:ss on the track's first day), or\n"
    "    --gps-offset SECONDS     frame 0 this long after the track's first fix (default 0)\n"
    "  --picture                  speed from the picture, scaled to the kilometre posts\n"
    "    --band TOP:BOTTOM        rows measured, as fractions of the height (default 0.6:0.85)\n"
    "  (neither: accelerate, cruise and brake between the kilometre posts)\n"
    "  --line2 NAME               second line name (default: the line name)\n"
    "  --data DIR                 the data folder (default: the route file's folder)\n"
    "  --tolerance M              position error allowed per segment (default 1)\n"
    "  --check                    load the written route and print a summary\n"
    "  --compare ROUTE.dat        print how far the speeds differ from another route's\n"
    "                             for the same video, stretch by stretch (RMS, km/h)\n"
    "  -h, --help                 this text\n";

double numberOf(const std::string& option, const std::string& text) {
    double v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() ||
        !std::isfinite(v))
        throw std::invalid_argument(option + ": not a number: " + text);
    return v;
}

std::vector<std::string> listOf(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string item; std::getline(in, item, ',');) out.push_back(item);
    return out;
}

TrackSync syncOf(const std::string& text) {
    const std::size_t at = text.find('@');
    if (at == std::string::npos) throw std::invalid_argument("--sync wants FRAME@TIME");
    TrackSync sync;
    sync.frame = int(numberOf("--sync", text.substr(0, at)));
    const std::string when = text.substr(at + 1);
    if (const auto iso = parseIsoTime(when)) {
        sync.time = *iso;
        return sync;
    }
    int h = 0, m = 0;
    double s = 0;
    char c1 = 0, c2 = 0;
    std::istringstream in(when);
    if (!(in >> h >> c1 >> m >> c2 >> s) || c1 != ':' || c2 != ':' || !in.eof())
        throw std::invalid_argument("--sync: not a time: " + when);
    sync.time = h * 3600.0 + m * 60.0 + s;
    sync.timeOfDay = true;
    return sync;
}

// The program finds a route's video by its name with the first of its video
// extensions that exists; say so when that is not the video authored from.
void noteVideoOpened(const std::filesystem::path& video) {
    const std::filesystem::path folder = video.parent_path();
    const std::filesystem::path opened =
        tovra::resolveDataPath(folder, tovra::videoDataPath(folder, video.stem().string()));
    std::error_code ec;
    if (std::filesystem::equivalent(opened, video, ec)) return;
    std::cerr << "note: the program will open " << opened.string() << ", not " << video.string();
    if (std::filesystem::exists(opened, ec))
        std::cerr << "; rename one of them\n";
    else
        std::cerr << "; put the video in a container it opens (AVI, MP4, MKV or MOV) first, "
                     "for example with\n  ffmpeg -i "
                  << video.string() << " -c copy " << (folder / video.stem()).string() << ".mkv\n";
}

int run(int argc, char** argv) {
    AuthorRequest request;
    bool check = false, picture = false;
    std::string compare;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw std::invalid_argument(option + " wants a value");
            return argv[++i];
        };
        if (option == "--help" || option == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (option == "--video") {
            request.video = value();
        } else if (option == "--out") {
            request.routeFile = value();
        } else if (option == "--line") {
            request.lineName = value();
        } else if (option == "--line2") {
            request.lineName2 = value();
        } else if (option == "--data") {
            request.dataDir = value();
        } else if (option == "--station") {
            request.stations.push_back(parseStation(value()));
        } else if (option == "--stations") {
            const auto more = readStations(value());
            request.stations.insert(request.stations.end(), more.begin(), more.end());
        } else if (option == "--names") {
            request.names = listOf(value());
        } else if (option == "--kms") {
            for (const std::string& km : listOf(value()))
                request.kms.push_back(numberOf(option, km));
        } else if (option == "--signal-stops") {
            request.signalStops = true;
        } else if (option == "--gps") {
            request.track = value();
            request.source = SpeedSource::Gps;
        } else if (option == "--sync") {
            request.sync = syncOf(value());
        } else if (option == "--gps-offset") {
            request.trackOffset = numberOf(option, value());
        } else if (option == "--picture") {
            picture = true;
        } else if (option == "--band") {
            const std::string band = value();
            const std::size_t colon = band.find(':');
            request.band.top = numberOf(option, band.substr(0, colon));
            request.band.bottom =
                numberOf(option, colon == std::string::npos ? "" : band.substr(colon + 1));
            if (!(0 <= request.band.top && request.band.top < request.band.bottom &&
                  request.band.bottom <= 1))
                throw std::invalid_argument("--band: TOP must lie above BOTTOM, both 0 to 1");
        } else if (option == "--tolerance") {
            request.tolerance = numberOf(option, value()) * 100;
            if (request.tolerance <= 0) throw std::invalid_argument("--tolerance must be above 0");
        } else if (option == "--compare") {
            compare = value();
        } else if (option == "--check") {
            check = true;
        } else {
            throw std::invalid_argument("unknown option " + option + "\n" + kUsage);
        }
    }
    if (request.video.empty())
        throw std::invalid_argument(std::string("--video is needed\n") + kUsage);
    if (picture && request.source == SpeedSource::Gps)
        throw std::invalid_argument("--gps and --picture exclude each other");
    if (picture) request.source = SpeedSource::Picture;
    if (request.routeFile.empty()) {
        AuthorWindow window(request);
        window.resize(1200, 700);
        window.show();
        return QApplication::exec();
    }
    if (request.lineName.empty())
        throw std::invalid_argument(std::string("--line is needed with --out\n") + kUsage);
    if (request.dataDir.empty()) request.dataDir = request.routeFile.parent_path();
    if (request.dataDir.empty()) request.dataDir = ".";

    if (const std::string note = videoNote(request.video, probeVideo(request.video)); !note.empty())
        std::cerr << "note: " << note << '\n';
    const Authored authored = authorRoute(request, [](int done, int total) {
        std::cerr << "\rmeasuring the picture: frame " << done << " of " << total << std::flush;
        if (done == total) std::cerr << '\n';
    });
    if (request.stations.empty()) {
        std::cout << "# the stations found; edit and pass back with --stations\n"
                  << foundStationsCsv(authored);
        if (request.names.size() > authored.stations.size())
            std::cerr << "note: " << request.names.size() << " names for "
                      << authored.stations.size() << " stations found\n";
    }
    writeRoute(request, authored);
    std::cout << "wrote " << request.routeFile.string() << " (" << authored.draft.units.size()
              << " speed segments, " << authored.draft.slopes.size()
              << " gradients) and its previews\n";
    noteVideoOpened(request.video);
    if (!compare.empty()) {
        const auto errors =
            stretchSpeedErrors(authored.draft.units, tovra::loadRouteSpec(compare, "").SpeedUnits,
                               authored.draft.stations, authored.video.fps);
        for (std::size_t i = 0; i < errors.size(); ++i)
            std::cout << "speed difference " << authored.draft.stations[i].name << " - "
                      << authored.draft.stations[i + 1].name << ": "
                      << tovra::formatFixed(errors[i], 2) << " km/h RMS\n";
    }
    if (!check) return 0;
    return checkRoute(request.routeFile, std::cout) ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    // Without the window only the contact sheet's lettering needs Qt, and
    // never a screen.
    const bool window = std::none_of(argv + 1, argv + argc, [](const char* a) {
        return std::string_view(a) == "--out" || std::string_view(a) == "--help" ||
               std::string_view(a) == "-h";
    });
    if (!window && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "tovra-author: " << error.what() << '\n';
        return 1;
    }
}
