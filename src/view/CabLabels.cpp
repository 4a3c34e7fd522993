#include "cab/Cab.h"
#include "ports/Host.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

constexpr std::size_t kDoorSideLabel = 6;

}  // namespace

void update_cab_labels(Cab& cab) {
    if (cab.options.Moji == 0) return;  // the labels are hidden and keep their text
    const HandleTexts& h = cab.handleTexts;
    const ControllerState& c = cab.controller;
    const StationState& st = cab.stations;
    StatusTexts& t = cab.statusTexts;
    const std::array<const std::string*, StatusTexts::kLabelCount> strings = {
        &h.ReverserText,        &h.MasconText,       &h.BrakeText,      &h.GearText,
        &st.stationText,        &st.doorMessage,     &c.doorSideText,   &st.clockText,
        &t.signalText,          &t.signalMessage,    &t.limitText,      &cab.motion.SpeedText,
        &cab.motion.RemainText, &st.fromStationName, &st.toStationName,
    };
    for (std::size_t k = 0; k < strings.size(); ++k) {
        if (k == kDoorSideLabel && cab.route.OneMan == 0) continue;
        t.labels[k] = *strings[k];
    }
}

void update_window_caption(Cab& cab) {
    // The line's name is the caption while driving.
    if (cab.statusTexts.caption == kApplicationTitle) setWindowCaption(cab, cab.route.LineName);
}

void update_easy_cab_door_line(Cab& cab) {
    std::string& line = cab.statusTexts.easyCabDoorLine;
    if (cab.stations.doorOpening == 1) {
        line = "ドアが開いています";
    } else if (cab.traction.doorsOpen) {
        line = "ドアを閉めています";
    } else {
        line.clear();
    }
}

void setWindowCaption(Cab& cab, const std::string& text) {
    cab.statusTexts.caption = text;
    cab.host.setCaption(text);
}

}  // namespace tovra
