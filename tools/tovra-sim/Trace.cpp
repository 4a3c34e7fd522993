#include "Trace.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "PanelFingerprint.h"
#include "cab/Cab.h"
#include "common/TextFields.h"

namespace tovra::sim {

namespace {

std::string fixed(long double v, int places) {
    return formatFixed(v, places);
}

// Text fields are quoted so that commas inside them keep the columns.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string integer(long long v) {
    return std::to_string(v);
}

struct Column {
    const char* name;
    std::function<std::string(const Cab&)> value;
};

const std::vector<Column>& columns() {
    static const std::vector<Column> all = {
        {"clock", [](const Cab& c) { return integer(c.state.Clock); }},
        {"position", [](const Cab& c) { return fixed(c.state.Position, 3); }},
        {"speed", [](const Cab& c) { return fixed(c.state.Speed, 4); }},
        {"frame", [](const Cab& c) { return integer(c.state.Frame); }},
        {"reverser", [](const Cab& c) { return integer(c.state.Reverser); }},
        {"power_handle", [](const Cab& c) { return integer(c.state.PowerHandle); }},
        {"power_notch", [](const Cab& c) { return integer(c.state.PowerNotch); }},
        {"brake_handle", [](const Cab& c) { return integer(c.state.BrakeHandle); }},
        {"brake_notch", [](const Cab& c) { return integer(c.state.BrakeNotch); }},
        {"bc_m", [](const Cab& c) { return fixed(c.state.BcPressM, 4); }},
        {"bc_t", [](const Cab& c) { return fixed(c.state.BcPressT, 4); }},
        {"er", [](const Cab& c) { return fixed(c.state.ErPress, 4); }},
        {"bp", [](const Cab& c) { return fixed(c.state.BpPress, 4); }},
        {"mr", [](const Cab& c) { return fixed(c.state.MrPress, 4); }},
        {"sap", [](const Cab& c) { return fixed(c.state.SapPress, 4); }},
        {"elec_current", [](const Cab& c) { return fixed(c.state.ElecBrakeCurrent, 2); }},
        {"ammeter", [](const Cab& c) { return integer(c.state.AmmeterValue); }},
        {"tractive_force", [](const Cab& c) { return fixed(c.state.TractiveForce, 4); }},
        {"resist_force", [](const Cab& c) { return fixed(c.state.ResistForce, 4); }},
        {"brake_force", [](const Cab& c) { return fixed(c.state.BrakeForce, 4); }},
        {"gradient", [](const Cab& c) { return fixed(c.state.Gradient, 4); }},
        {"adhesion", [](const Cab& c) { return fixed(c.state.Adhesion, 4); }},
        {"slip", [](const Cab& c) { return quoted(c.motion.SlipText); }},
        {"engine_rpm", [](const Cab& c) { return fixed(c.state.EngineRpm, 2); }},
        {"engine_state", [](const Cab& c) { return integer(c.state.EngineState); }},
        {"gear", [](const Cab& c) { return integer(c.diesel.GearActual); }},
        {"mascon_text", [](const Cab& c) { return quoted(c.handleTexts.MasconText); }},
        {"brake_text", [](const Cab& c) { return quoted(c.handleTexts.BrakeText); }},
        {"doors_open", [](const Cab& c) { return integer(c.traction.doorsOpen); }},
        {"door_opening", [](const Cab& c) { return integer(c.stations.doorOpening); }},
        {"station_index", [](const Cab& c) { return integer(c.stations.currentStation); }},
        {"next_stop", [](const Cab& c) { return integer(c.stations.nextStopIndex); }},
        {"remain", [](const Cab& c) { return fixed(c.state.RemainDistance, 3); }},
        {"station_text", [](const Cab& c) { return quoted(c.stations.stationText); }},
        {"clock_text", [](const Cab& c) { return quoted(c.stations.clockText); }},
        {"run_ended", [](const Cab& c) { return integer(c.stations.runEnded); }},
        {"signal_face", [](const Cab& c) { return integer(c.protection.SignalFace); }},
        {"signal_limit", [](const Cab& c) { return integer(c.protection.SignalLimit); }},
        {"section_limit", [](const Cab& c) { return integer(c.protection.SectionLimit); }},
        {"pattern_speed", [](const Cab& c) { return integer(c.protection.PatternSpeed); }},
        {"pattern_brake", [](const Cab& c) { return integer(c.protection.PatternBrake); }},
        {"pattern_warn", [](const Cab& c) { return integer(c.protection.PatternWarn); }},
        {"pattern_state", [](const Cab& c) { return integer(c.protection.PatternState); }},
        {"protect_service", [](const Cab& c) { return integer(c.state.ProtectService); }},
        {"protect_emergency", [](const Cab& c) { return integer(c.state.ProtectEmergency); }},
        {"ats_alarm", [](const Cab& c) { return integer(c.protection.AtsAlarm); }},
        {"pre_train_frame", [](const Cab& c) { return integer(c.protection.PreTrainFrame); }},
        {"limit_text", [](const Cab& c) { return quoted(c.statusTexts.limitText); }},
        {"notice", [](const Cab& c) { return quoted(c.statusTexts.noticeText); }},
        {"line_voltage", [](const Cab& c) { return fixed(c.state.LineVoltage, 1); }},
    };
    return all;
}

}  // namespace

void Trace::writeHeader() {
    out_ << "t";
    for (const auto& column : columns()) out_ << ',' << column.name;
    if (panel_) out_ << ",panel";
    out_ << '\n';
}

void Trace::writeRow(double seconds, const Cab& cab) {
    out_ << fixed(seconds, 3);
    for (const auto& column : columns()) out_ << ',' << column.value(cab);
    if (panel_) {
        char digest[17];
        std::snprintf(digest, sizeof digest, "%016llx",
                      static_cast<unsigned long long>(panelFingerprint(cab)));
        out_ << ',' << digest;
    }
    out_ << '\n';
}

}  // namespace tovra::sim
