#include "report/RecordCsv.h"

#include <charconv>
#include <fstream>
#include <string>

#include "report/ReportText.h"

namespace tovra {

namespace {

constexpr const char* kHeader =
    "t,leg,position_m,speed_kmh,section_limit,signal_limit,pattern_speed,signal_face,"
    "power_handle,brake_handle,bc_kpa,line_current_a,line_voltage_v,doors_open";

bool parseField(std::string_view& rest, double& value) {
    const auto end = rest.find(',');
    const std::string_view field = rest.substr(0, end);
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return ec == std::errc() && ptr == field.data() + field.size();
}

}  // namespace

void writeRecordCsv(std::ostream& out, const RunRecord& record) {
    std::string text = kHeader;
    text += '\n';
    text.reserve(record.samples.size() * 72);
    for (const RunSample& s : record.samples) {
        appendFixed(text, s.clock / 30.0, 1);
        for (const auto& [v, places] : {std::pair{double(s.leg), 0},
                                        {s.position / 100, 2},
                                        {double(s.speed), 2},
                                        {double(s.sectionLimit), 0},
                                        {double(s.signalLimit), 0},
                                        {double(s.patternSpeed), 0},
                                        {double(s.signalFace), 0},
                                        {double(s.powerHandle), 0},
                                        {double(s.brakeHandle), 0},
                                        {double(s.bcPressure), 1},
                                        {double(s.lineCurrent), 0},
                                        {double(s.lineVoltage), 0},
                                        {double(s.doorsOpen), 0}}) {
            text += ',';
            appendFixed(text, v, places);
        }
        text += '\n';
    }
    out << text;
}

std::optional<SpeedCurve> readSpeedCurve(const std::filesystem::path& csv) {
    std::ifstream in(csv);
    std::string line;
    if (!std::getline(in, line) || line != kHeader) return std::nullopt;
    SpeedCurve curve;
    while (std::getline(in, line)) {
        std::string_view rest = line;
        double t = 0, leg = 0;
        CurvePoint p;
        if (!parseField(rest, t) || !parseField(rest, leg) || !parseField(rest, p.position) ||
            !parseField(rest, p.speed) || leg < 0 || leg > 10000)
            return std::nullopt;
        if (curve.size() <= std::size_t(leg)) curve.resize(std::size_t(leg) + 1);
        curve[std::size_t(leg)].push_back(p);
    }
    return curve;
}

}  // namespace tovra
