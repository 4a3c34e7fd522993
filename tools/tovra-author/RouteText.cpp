#include "RouteText.h"

#include <cmath>
#include <stdexcept>

#include "WholeFile.h"
#include "common/TextCodec.h"
#include "common/TextFields.h"

namespace tovra::author {

namespace {

// Half the stopping window: 10 m either side of the stop mark.
constexpr int kZoneHalfLength = 1000;  // cm
constexpr int kCalloutSlots = 22;

std::string decimal(double value, int places) {
    std::string s = formatFixed(value, places);
    if (s.find_first_not_of("-0.") == std::string::npos && s.front() == '-') s.erase(0, 1);
    return s;
}

std::string join(std::initializer_list<std::string> fields) {
    std::string out;
    for (const std::string& f : fields) {
        if (&f != fields.begin()) out += ',';
        out += f;
    }
    return out;
}

class Lines {
  public:
    void section(const std::string& key, std::initializer_list<std::string> values) {
        lines_.push_back(key);
        lines_.insert(lines_.end(), values);
    }
    void list(const std::string& key, const std::vector<std::string>& entries) {
        lines_.push_back(key);
        lines_.insert(lines_.end(), entries.begin(), entries.end());
        lines_.push_back("#");
    }
    void line(const std::string& text) { lines_.push_back(text); }
    std::vector<std::string> take() { return std::move(lines_); }

  private:
    std::vector<std::string> lines_;
};

std::string integer(long v) {
    return std::to_string(v);
}

}  // namespace

double roundedSpeed(double kmh) {
    return std::nearbyint(kmh * 10000) / 10000;
}

std::vector<std::string> routeLines(const RouteDraft& d) {
    Lines t;
    t.line(
        "; tovra-author: a starter route. Timetable, signals, signs and sounds are left to you.");
    t.section("[LineName]", {d.lineName});
    t.section("[LineName2]", {d.lineName2});
    t.section("[DataName]", {d.dataName});
    t.section("[FrameRate]", {integer(d.frameRate)});
    t.section("[StartPos]", {integer(d.stations.empty() ? 0 : d.stations.front().frame)});
    t.section("[Staf]", {"", "", ""});
    t.line("; adhesion base of dry rail");
    t.section("[Friction]", {"0.30"});
    t.list("[StafSwitch]", {"0"});
    t.list("[MovieStop]", {integer(d.stopFrame)});
    t.list("[MovieSwitch]", {});
    t.line("; km/h of each signal aspect, from stop to clear");
    t.list("[Speed_Signal]", {"0", "25", "45", "75", "120", "130"});
    t.line("; distance (m) and height (pixels) that place the stop markers");
    t.section("[Perspective]", {"10.00", "120"});
    t.list("[Pre_Train]", {"0,0"});
    t.section("[OneMan]", {"0"});
    t.list("[SoundData]", {});
    t.list("[Announce]", {"0"});
    t.line("[KankoSound1]");
    for (int i = 0; i < kCalloutSlots; ++i) t.line("");
    for (const char* key :
         {"[KankoSound2]", "[Sound]", "[Sound2]", "[Doppler]", "[Tunnel]", "[Atten]"})
        t.list(key, {});
    t.section("[TunnelR]", {"0"});
    t.line(
        "; name, kind, frame, zone (cm), sounds x3, departure, section limit, "
        "stop pattern, stop line, 3 door fields, platform side, chime");
    std::vector<std::string> stations, stopSounds;
    for (const StationMark& s : d.stations) {
        stations.push_back(join({s.name, "0", integer(s.frame), integer(kZoneHalfLength), "0", "0",
                                 "0", "0", integer(s.sectionLimit), "1", "0", "0", "0", "0", "0"}));
        stopSounds.push_back("0");
    }
    t.list("[Station]", stations);
    t.list("[StopSound]", stopSounds);
    t.list("[Signal]", {});
    t.list("[TrafficSignal]", {});
    std::vector<std::string> slopes;
    for (const SlopeRun& s : d.slopes)
        slopes.push_back(join({decimal(s.permil, 1), integer(s.firstFrame), integer(s.lastFrame)}));
    t.list("[Slope]", slopes);
    for (const char* key : {"[Sign]", "[Anim]", "[SignalKanko]", "[StationKanko]", "[SpeedLimit]",
                            "[SpeedCheck1]", "[SpeedCheck2]", "[OtherKanko]", "[LimitKanko]",
                            "[AnimImageList]", "[TrafficSignalImageList]"})
        t.list(key, {});
    std::vector<std::string> units;
    for (const SpeedUnit& u : d.units)
        units.push_back(join({integer(u.FirstFrame), integer(u.LastFrame),
                              decimal(double(u.FirstSpeed), 4), decimal(double(u.LastSpeed), 4)}));
    t.list("[SpeedUnit]", units);
    for (const char* key : {"[CrossImageList]", "[Cross]", "[Time]", "[Switch]"}) t.list(key, {});
    return t.take();
}

void saveRoute(const std::filesystem::path& file, const RouteDraft& draft) {
    std::string text;
    for (const std::string& line : routeLines(draft)) text += utf8ToCp932(line) + "\r\n";
    writeWhole(file, text);
}

}  // namespace tovra::author
