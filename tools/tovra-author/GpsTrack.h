#pragma once

#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace tovra::author {

// One fix of a recorded track. Times are seconds since 1970-01-01 UTC; a
// track of "GGA" sentences alone, which carry no date, counts from day 0.
struct TrackPoint {
    double time = 0;
    double latitude = 0;              // degrees, north positive
    double longitude = 0;             // degrees, east positive
    std::optional<double> elevation;  // m
};

// GPX 1.1 "trkpt" elements with their "time" (and "ele" when present).
std::vector<TrackPoint> parseGpx(std::string_view text);

// "RMC" and "GGA" sentences of any talker ("GP", "GN", ...); sentences with a
// wrong checksum or without a valid fix are skipped. An RMC and a GGA of the
// same second make one point.
std::vector<TrackPoint> parseNmea(std::string_view text);

// Reads either kind, told apart by content; points come back sorted by time.
// Throws std::runtime_error naming the file when it holds no usable point.
std::vector<TrackPoint> readTrack(const std::filesystem::path& file);

// "2026-05-01T10:00:00.5Z" (or with "+09:00") as seconds since 1970; nothing
// when the text is not such a time.
std::optional<double> parseIsoTime(std::string_view text);

}  // namespace tovra::author
