#include "common/UiText.h"
#include "data/RouteSpec.h"
#include "ports/Host.h"
#include "sim/MotionState.h"
#include "sim/StationState.h"
#include "sim/TractionState.h"
#include "view/HandleTexts.h"
#include "view/StatusTextUpdates.h"
#include "view/StatusTexts.h"

namespace tovra {

namespace {

constexpr std::size_t kDoorSideLabel = 6;

}  // namespace

void update_cab_labels(StatusTexts& t, const HandleTexts& h, const StationState& st,
                       const MotionState& motion, bool labelsShown, bool oneMan) {
    if (!labelsShown) return;  // the labels are hidden and keep their text
    const std::array<const std::string*, StatusTexts::kLabelCount> strings = {
        &h.ReverserText,    &h.MasconText,       &h.BrakeText,      &h.GearText,
        &st.stationText,    &st.doorMessage,     &t.doorSideText,   &st.clockText,
        &t.signalText,      &t.signalMessage,    &t.limitText,      &motion.SpeedText,
        &motion.RemainText, &st.fromStationName, &st.toStationName,
    };
    for (std::size_t k = 0; k < strings.size(); ++k) {
        if (k == kDoorSideLabel && !oneMan) continue;
        t.labels[k] = *strings[k];
    }
}

void update_window_caption(StatusTexts& t, Host& host, const RouteSpec& route) {
    // The line's name is the caption while driving.
    if (t.caption == kApplicationTitle) setWindowCaption(t, host, route.LineName);
}

void update_easy_cab_door_line(StatusTexts& t, const StationState& st,
                               const TractionState& traction) {
    std::string& line = t.easyCabDoorLine;
    if (st.doorOpening == 1) {
        line = uiText("CabLabels", "ドアが開いています");
    } else if (traction.doorsOpen) {
        line = uiText("CabLabels", "ドアを閉めています");
    } else {
        line.clear();
    }
}

void setWindowCaption(StatusTexts& t, Host& host, const std::string& text) {
    t.caption = text;
    host.setCaption(text);
}

}  // namespace tovra
