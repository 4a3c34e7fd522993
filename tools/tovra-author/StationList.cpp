#include "StationList.h"

#include <charconv>
#include <climits>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "common/TextFields.h"

namespace tovra::author {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

template <typename T>
T numberIn(std::string_view text, const char* what, std::string_view line) {
    text = trimmed(text);
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        throw std::invalid_argument("station \"" + std::string(line) + "\": " + what +
                                    " is not a number");
    return value;
}

}  // namespace

StationInput parseStation(std::string_view text) {
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos)
        throw std::invalid_argument("station \"" + std::string(text) +
                                    "\": name,frame[,km] expected");
    const std::size_t second = text.find(',', first + 1);
    StationInput s;
    s.name = std::string(trimmed(text.substr(0, first)));
    if (s.name.empty())
        throw std::invalid_argument("station \"" + std::string(text) + "\": no name");
    s.frame = numberIn<int>(text.substr(first + 1, second - first - 1), "the frame", text);
    if (second != std::string_view::npos)
        s.km = numberIn<double>(text.substr(second + 1), "the kilometre post", text);
    return s;
}

std::vector<StationInput> readStations(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::invalid_argument(file.string() + ": cannot be read");
    std::vector<StationInput> out;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::string_view text = trimmed(line);
        if (text.empty() || text.front() == '#' || (number == 1 && text.starts_with("name")))
            continue;
        try {
            out.push_back(parseStation(text));
        } catch (const std::invalid_argument& error) {
            throw std::invalid_argument(file.string() + ":" + std::to_string(number) + ": " +
                                        error.what());
        }
    }
    return out;
}

std::vector<StationInput> stationsAtStops(const std::vector<FoundStop>& stops,
                                          const std::vector<std::string>& names, bool signalStops) {
    std::vector<StationInput> out;
    for (const FoundStop& stop : stops) {
        if (!stop.station && !signalStops) continue;
        const std::size_t i = out.size();
        out.push_back({i < names.size() ? names[i] : "駅" + std::to_string(i + 1), stop.frame, 0});
    }
    return out;
}

std::string stationsCsv(const std::vector<StationInput>& stations,
                        const std::vector<CsvNote>& notes, bool withKm) {
    std::ostringstream out;
    out << (withKm ? "name,frame,km\n" : "name,frame\n");
    std::size_t note = 0;
    const auto notesBefore = [&](int frame) {
        for (; note < notes.size() && notes[note].frame < frame; ++note)
            out << "# " << notes[note].text << '\n';
    };
    for (const StationInput& s : stations) {
        notesBefore(s.frame);
        out << s.name << ',' << s.frame;
        if (withKm) out << ',' << formatFixed(s.km, 3);
        out << '\n';
    }
    notesBefore(INT_MAX);
    return out.str();
}

}  // namespace tovra::author
