#include "remote/StateJson.h"

#include <nlohmann/json.hpp>

#include "sim/ProtectionState.h"

namespace tovra::remote {

namespace {

using Json = nlohmann::ordered_json;

constexpr double kTicksPerSecond = 30;

// The cab's "none" markers (999) become null.
Json limitOrNull(std::int32_t value) {
    return value >= kWarningLimit ? Json(nullptr) : Json(value);
}

template <typename T>
Json optional(const std::optional<T>& value) {
    return value ? Json(*value) : Json(nullptr);
}

Json clockOrNull(const std::optional<std::int32_t>& clock) {
    return clock ? Json(clockString(*clock)) : Json(nullptr);
}

const char* kindName(std::int32_t kind) {
    switch (kind) {
        case 0:
            return "stop";
        case 1:
            return "pass";
        case 2:
            return "stop_no_doors";
        default:
            return "info";
    }
}

// Text from the data files is UTF-8 by then; anything that is not passes as
// replacement characters instead of failing the whole message.
Json text(const std::string& value) {
    return Json(value);
}

}  // namespace

std::string stateJson(const CabSnapshot& n) {
    const RunFacts& run = *n.run;
    Json j;
    j["tick"] = n.tick;
    j["time"] = double(n.tick) / kTicksPerSecond;
    j["logic_tick"] = n.logicTick;
    j["clock"] = n.clock;
    j["clock_text"] = clockString(n.clock);
    j["paused"] = n.paused;
    j["run_ended"] = n.runEnded;
    j["command"] = n.commandsApplied;
    j["route"] = text(run.routeFile);
    j["vehicle"] = text(run.vehicleFile);
    j["line"] = text(run.lineName);

    j["speed"] = n.speed;
    j["position"] = n.position;
    j["reverser"] = {{"position", n.reverser}, {"text", text(n.reverserText)}};
    j["power"] = {{"handle", n.powerHandle},   {"notch", n.powerNotch},
                  {"max", run.limits.power},   {"mode", n.powerMode},
                  {"text", text(n.powerText)}, {"const_speed", n.constSpeed}};
    j["brake"] = {{"handle", n.brakeHandle},
                  {"notch", n.brakeNotch},
                  {"emergency", run.limits.brake},
                  {"hold", n.holdBrake},
                  {"text", text(n.brakeText)}};
    j["one_lever"] = run.limits.oneLever;
    j["gear_text"] = text(n.gearText);
    j["pressures"] = {{"bc", n.bcT}, {"bc_m", n.bcM}, {"mr", n.mr},
                      {"er", n.er},  {"bp", n.bp},    {"sap", n.sap}};
    j["line_current"] = n.lineCurrent;
    j["line_voltage"] = n.lineVoltage;
    j["brake_current"] = n.elecBrakeCurrent;

    j["signal"] = {{"index", n.signalIndex >= 0 ? Json(n.signalIndex) : Json(nullptr)},
                   {"face", limitOrNull(n.signalFace)},
                   {"limit", n.signalLimit == kWarningLimit ? Json(0) : limitOrNull(n.signalLimit)},
                   {"warning", n.signalLimit == kWarningLimit}};
    j["limits"] = {{"section", n.sectionLimit},
                   {"signal", limitOrNull(n.signalLimit)},
                   {"pattern", limitOrNull(n.patternSpeed)},
                   {"text", text(n.limitText)},
                   {"text2", text(n.limitText2)}};
    j["protection"] = {{"on", n.protectionOn},
                       {"alarm", n.alarm},
                       {"service", n.service},
                       {"emergency", n.emergency},
                       {"pattern_state", n.patternState}};
    Json lamps = Json::object();
    for (std::size_t i = 0; i < run.lampNames.size() && i < n.lamps.size(); ++i)
        lamps[run.lampNames[i]] = bool(n.lamps[i]);
    j["lamps"] = std::move(lamps);
    j["cab_signal"] = optional(n.cabSignal);
    j["doors"] = {{"open", n.doorsOpen}, {"opening", n.doorOpening != 0}, {"side", n.doorSide}};

    Json next = nullptr;
    if (n.nextStation >= 0 && std::size_t(n.nextStation) < run.timetable.size()) {
        const TimetableRow& row = run.timetable[std::size_t(n.nextStation)];
        next = {{"index", n.nextStation},
                {"name", text(row.name)},
                {"kind", kindName(row.kind)},
                {"departure", clockOrNull(row.departure)}};
    }
    j["station"] = {{"current", n.currentStation},
                    {"next", std::move(next)},
                    {"remaining", n.remaining},
                    {"text", text(n.stationText)},
                    {"clock_text", text(n.clockText)}};

    Json rows = Json::array();
    for (std::size_t i = 0; i < run.timetable.size(); ++i) {
        const TimetableRow& row = run.timetable[i];
        Json r = {{"index", i},
                  {"name", text(row.name)},
                  {"kind", kindName(row.kind)},
                  {"departure", clockOrNull(row.departure)},
                  {"arrived", nullptr},
                  {"departed", nullptr},
                  {"stop_error", nullptr},
                  {"late", nullptr}};
        if (n.results)
            for (const StopResult& result : *n.results) {
                if (result.station != std::int32_t(i)) continue;
                r["arrived"] = clockOrNull(result.arrived);
                r["departed"] = clockOrNull(result.departed);
                r["stop_error"] = optional(result.stopError);
                r["late"] = optional(result.late);
            }
        rows.push_back(std::move(r));
    }
    j["timetable"] = std::move(rows);
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace tovra::remote
