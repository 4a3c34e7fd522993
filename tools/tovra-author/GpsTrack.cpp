#include "GpsTrack.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>

namespace tovra::author {

namespace {

std::optional<double> number(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long daysFromCivil(long y, long m, long d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

std::optional<long> digits(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return std::nullopt;
    long value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// The text of the first <tag>...</tag> inside `element`.
std::optional<std::string_view> child(std::string_view element, std::string_view tag) {
    const std::string open = "<" + std::string(tag);
    std::size_t at = element.find(open);
    while (at != std::string_view::npos) {
        const char next = at + open.size() < element.size() ? element[at + open.size()] : '\0';
        if (next == '>' || next == ' ') break;
        at = element.find(open, at + 1);
    }
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = element.find('>', at);
    const std::size_t end = element.find("</" + std::string(tag), start);
    if (start == std::string_view::npos || end == std::string_view::npos) return std::nullopt;
    return element.substr(start + 1, end - start - 1);
}

std::optional<double> attribute(std::string_view tag, std::string_view name) {
    for (std::size_t at = tag.find(name); at != std::string_view::npos;
         at = tag.find(name, at + 1)) {
        if (at > 0 && !std::isspace(static_cast<unsigned char>(tag[at - 1]))) continue;
        std::size_t p = at + name.size();
        while (p < tag.size() && tag[p] == ' ') ++p;
        if (p >= tag.size() || tag[p] != '=') continue;
        ++p;
        while (p < tag.size() && tag[p] == ' ') ++p;
        if (p >= tag.size() || (tag[p] != '"' && tag[p] != '\'')) continue;
        const std::size_t end = tag.find(tag[p], p + 1);
        if (end == std::string_view::npos) return std::nullopt;
        return number(tag.substr(p + 1, end - p - 1));
    }
    return std::nullopt;
}

std::vector<std::string_view> fields(std::string_view sentence) {
    std::vector<std::string_view> out;
    for (std::size_t start = 0;;) {
        const std::size_t comma = sentence.find(',', start);
        out.push_back(sentence.substr(start, comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

bool checksumMatches(std::string_view body, std::string_view sum) {
    unsigned value = 0;
    for (char c : body) value ^= static_cast<unsigned char>(c);
    unsigned stated = 0;
    const auto [end, error] = std::from_chars(sum.data(), sum.data() + sum.size(), stated, 16);
    return error == std::errc() && end == sum.data() + sum.size() && sum.size() == 2 &&
           stated == value;
}

// "ddmm.mmmm" with its hemisphere letter.
std::optional<double> coordinate(std::string_view value, std::string_view hemisphere,
                                 int degreeDigits) {
    if (value.size() <= std::size_t(degreeDigits)) return std::nullopt;
    const auto degrees = number(value.substr(0, degreeDigits));
    const auto minutes = number(value.substr(degreeDigits));
    if (!degrees || !minutes || *minutes >= 60) return std::nullopt;
    const double v = *degrees + *minutes / 60;
    if (hemisphere == "S" || hemisphere == "W") return -v;
    if (hemisphere == "N" || hemisphere == "E") return v;
    return std::nullopt;
}

std::optional<double> timeOfDay(std::string_view hhmmss) {
    const auto h = digits(hhmmss, 0, 2), m = digits(hhmmss, 2, 2);
    const auto s = number(hhmmss.substr(std::min<std::size_t>(4, hhmmss.size())));
    if (!h || !m || !s || *h > 23 || *m > 59 || *s >= 61) return std::nullopt;
    return *h * 3600.0 + *m * 60.0 + *s;
}

}  // namespace

std::optional<double> parseIsoTime(std::string_view text) {
    const auto y = digits(text, 0, 4), mo = digits(text, 5, 2), d = digits(text, 8, 2);
    if (!y || !mo || !d || text.size() < 19 || text[4] != '-' || text[7] != '-' ||
        (text[10] != 'T' && text[10] != ' '))
        return std::nullopt;
    const auto h = digits(text, 11, 2), mi = digits(text, 14, 2);
    if (!h || !mi || text[13] != ':' || text[16] != ':') return std::nullopt;
    std::size_t end = 17;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.'))
        ++end;
    const auto s = number(text.substr(17, end - 17));
    if (!s) return std::nullopt;
    double zone = 0;
    const std::string_view rest = text.substr(end);
    if (rest.size() == 6 && (rest[0] == '+' || rest[0] == '-') && rest[3] == ':') {
        const auto zh = digits(rest, 1, 2), zm = digits(rest, 4, 2);
        if (!zh || !zm) return std::nullopt;
        zone = (rest[0] == '-' ? -1 : 1) * (*zh * 3600.0 + *zm * 60.0);
    } else if (!rest.empty() && rest != "Z") {
        return std::nullopt;
    }
    return daysFromCivil(*y, *mo, *d) * 86400.0 + *h * 3600.0 + *mi * 60.0 + *s - zone;
}

std::vector<TrackPoint> parseGpx(std::string_view text) {
    std::vector<TrackPoint> points;
    for (std::size_t at = text.find("<trkpt"); at != std::string_view::npos;
         at = text.find("<trkpt", at + 1)) {
        const std::size_t tagEnd = text.find('>', at);
        if (tagEnd == std::string_view::npos) break;
        const std::string_view tag = text.substr(at, tagEnd - at);
        std::size_t end = text.find("</trkpt>", tagEnd);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view element = text.substr(tagEnd, end - tagEnd);
        const auto lat = attribute(tag, "lat"), lon = attribute(tag, "lon");
        const auto time = child(element, "time");
        const auto when = time ? parseIsoTime(*time) : std::nullopt;
        if (!lat || !lon || !when) continue;
        TrackPoint p{*when, *lat, *lon, std::nullopt};
        if (const auto ele = child(element, "ele")) p.elevation = number(*ele);
        points.push_back(p);
    }
    return points;
}

std::vector<TrackPoint> parseNmea(std::string_view text) {
    // Keyed by the time of day in milliseconds, within the day count below.
    std::map<long long, TrackPoint> byTime;
    long day = 0;
    double lastOfDay = -1;
    std::istringstream lines{std::string(text)};
    for (std::string line; std::getline(lines, line);) {
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            line.pop_back();
        const std::size_t dollar = line.find('$'), star = line.rfind('*');
        if (dollar == std::string::npos || star == std::string::npos || star < dollar) continue;
        const std::string_view body = std::string_view(line).substr(dollar + 1, star - dollar - 1);
        if (!checksumMatches(body, std::string_view(line).substr(star + 1))) continue;
        const auto f = fields(body);
        if (f[0].size() != 5) continue;
        const std::string_view kind = f[0].substr(2);
        const bool rmc = kind == "RMC" && f.size() >= 10 && f[2] == "A";
        const bool gga = kind == "GGA" && f.size() >= 10 && !f[6].empty() && f[6] != "0";
        if (!rmc && !gga) continue;
        const auto tod = timeOfDay(f[1]);
        const auto lat = coordinate(rmc ? f[3] : f[2], rmc ? f[4] : f[3], 2);
        const auto lon = coordinate(rmc ? f[5] : f[4], rmc ? f[6] : f[5], 3);
        if (!tod || !lat || !lon) continue;
        if (rmc) {
            const auto dd = digits(f[9], 0, 2), mm = digits(f[9], 2, 2), yy = digits(f[9], 4, 2);
            if (dd && mm && yy) day = daysFromCivil((*yy < 80 ? 2000 : 1900) + *yy, *mm, *dd);
        } else if (lastOfDay >= 0 && *tod < lastOfDay - 43200) {
            ++day;  // past midnight without a date to say so
        }
        lastOfDay = *tod;
        const double time = day * 86400.0 + *tod;
        TrackPoint& p = byTime[std::llround(time * 1000)];
        p.time = time;
        p.latitude = *lat;
        p.longitude = *lon;
        if (gga && f.size() >= 10) {
            if (const auto altitude = number(f[9])) p.elevation = altitude;
        }
    }
    std::vector<TrackPoint> points;
    for (auto& [key, p] : byTime) points.push_back(p);
    return points;
}

std::vector<TrackPoint> readTrack(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    std::vector<TrackPoint> points =
        text.find("<gpx") != std::string::npos ? parseGpx(text) : parseNmea(text);
    std::stable_sort(points.begin(), points.end(),
                     [](const TrackPoint& a, const TrackPoint& b) { return a.time < b.time; });
    if (points.size() < 2)
        throw std::runtime_error(file.string() +
                                 ": no track with times (GPX 1.1 or NMEA RMC/GGA) found");
    return points;
}

}  // namespace tovra::author
