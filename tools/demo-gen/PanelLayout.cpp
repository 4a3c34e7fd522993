#include "demo-gen/PanelLayout.h"

namespace tovra::demo {

namespace {

std::string atsLampLabel(const VehicleDesign& v, int which) {
    switch (v.atsType) {
        case 0:
            return which == 1 ? "ATS" : "ATS動作";
        case 1:
            return which == 1 ? "ATS-P" : "P動作";
        default:
            return which == 1 ? "ATC" : "ATC動作";
    }
}

NeedlePart needle(std::string file, int radius, int cx, int cy, int start, double minValue,
                  double maxValue, double sweep, Colour colour) {
    return {std::move(file), radius,   cx,    cy, start, sweep / (maxValue - minValue),
            minValue,        maxValue, colour};
}

}  // namespace

int brakePatternCount(const VehicleDesign& v) {
    const int positions = v.brakeType == 0 ? 4 : v.brake;
    return positions + 1 + v.hold;
}

PanelLayout panelLayout(const VehicleDesign& v) {
    PanelLayout p;
    const Colour white = rgb(245, 245, 240), orange = rgb(255, 160, 40), red = rgb(240, 40, 30);
    const Colour green = rgb(60, 220, 110), yellow = rgb(255, 220, 60), blue = rgb(110, 180, 255);
    const struct {
        const char* key;
        const char* file;
        std::string label;
        Colour lit;
    } lamps[] = {
        {"[Lamp_Door]", "lamp_door.bmp", "戸閉", orange},
        {"[Lamp_Power]", "lamp_power.bmp", "力行", blue},
        {"[Lamp_EB]", "lamp_eb.bmp", "EB", red},
        {"[Lamp_Gen]", "lamp_gen.bmp",
         v.engineType == 0   ? "抑速"
         : v.brake_Type == 0 ? "発電"
                             : "回生",
         green},
        {"[Lamp_Air]", "lamp_air.bmp", "空制", orange},
        {"[Lamp_Fin]", "lamp_fin.bmp", v.powerType == 0 ? "進段" : "限流", yellow},
        {"[Lamp_Ele]", "lamp_ele.bmp", "電制", yellow},
        {"[Lamp_Ats1]", "lamp_ats1.bmp", atsLampLabel(v, 1), white},
        {"[Lamp_Ats2]", "lamp_ats2.bmp", atsLampLabel(v, 2), red},
        {"[Lamp_ATSP1]", "lamp_atsp1.bmp", "P接近", yellow},
        {"[Lamp_ATSP2]", "lamp_atsp2.bmp", "ブレーキ", red},
        {"[Lamp_G]", "lamp_g.bmp", "G", green},
        {"[Lamp_YG]", "lamp_yg.bmp", "YG", yellow},
        {"[Lamp_Y]", "lamp_y.bmp", "Y", yellow},
        {"[Lamp_YY]", "lamp_yy.bmp", "YY", yellow},
        {"[Lamp_R]", "lamp_r.bmp", "R", red},
        {"[Lamp_Fwd]", "lamp_fwd.bmp", "前", green},
        {"[Lamp_Back]", "lamp_back.bmp", "後", orange},
        {"[Lamp_Const]", "lamp_const.bmp", "定速", green},
        {"[Lamp_Stop]", "lamp_stop.bmp", "停車", orange},
    };
    int column = 0;
    for (const auto& l : lamps) {
        const std::string key = l.key;
        Rect r;
        if (key == "[Lamp_Fwd]") {
            r = {12, kPanelTop + 8, 42, 20};
        } else if (key == "[Lamp_Back]") {
            r = {58, kPanelTop + 8, 42, 20};
        } else {
            r = {690 + 55 * (column % 2), kPanelTop + 8 + 25 * (column / 2), 50, 22};
            ++column;
        }
        // Lamps below depth 50 are covered by the second panel.
        const bool under = key == "[Lamp_Door]" || key == "[Lamp_Ele]" || key == "[Lamp_Fwd]" ||
                           key == "[Lamp_Back]";
        p.lamps.push_back({key, l.file, l.label, l.lit, r, under});
    }

    const Colour needleColour = v.panel.needle;
    p.speed = needle("needle_speed.bmp", 96, 125, kPanelTop + 160, -135, 0, v.panel.speedScale, 270,
                     needleColour);
    p.mr = needle("needle_mr.bmp", 44, 305, kPanelTop + 82, -135, 0, 1000, 270, red);
    p.bc = needle("needle_bc.bmp", 40, 305, kPanelTop + 82, -135, 0, 1000, 270, needleColour);
    p.er = needle("needle_er.bmp", 44, 430, kPanelTop + 82, -135, 0, 1000, 270, red);
    p.bp = needle("needle_bp.bmp", 40, 430, kPanelTop + 82, -135, 0, 1000, 270, needleColour);
    p.sap = needle("needle_sap.bmp", 44, 305, kPanelTop + 205, -135, 0, 600, 270, needleColour);
    p.volt = needle("needle_v.bmp", 44, 430, kPanelTop + 205, -135, 0, 2000, 270, needleColour);
    // The ammeter's zero is at the top; a diesel's ammeter (charging current)
    // does not follow the traction.
    p.amp = needle("needle_i.bmp", 44, 555, kPanelTop + 82, 0, -1000, 1000, 270, needleColour);
    p.ammeterSource = v.engineType == 0 ? 2 : 0;
    p.clockX = 530, p.clockY = kPanelTop + 180, p.clockHand = 20;

    p.bcBar = {"bar_bc.bmp", {612, kPanelTop + 28, 18, 150}, 150.0 / 600.0, rgb(255, 90, 60)};
    p.mrBar = {"bar_mr.bmp", {648, kPanelTop + 28, 18, 150}, 150.0 / 1000.0, rgb(80, 200, 255)};

    const int brakes = brakePatternCount(v);
    p.digiSpeed = {"digi_speed.bmp", {83, kPanelTop + 212, 84, 32}, 200};
    p.notchP = {"notch_p.bmp", {245, kPanelTop + 266, 156, 16}, v.power + 1};
    p.notchB = {"notch_b.bmp", {245, kPanelTop + 286, 156, 16}, brakes};
    p.notchP2 = {"notch_p2.bmp", {408, kPanelTop + 262, 64, 40}, v.power + 1};
    p.notchB2 = {"notch_b2.bmp", {478, kPanelTop + 262, 76, 40}, brakes + 2};
    p.gear = {"gear.bmp", {562, kPanelTop + 262, 70, 18}, 4};
    p.gearLever = {"gearlever.bmp", {562, kPanelTop + 284, 70, 18}, 4};
    p.cabSignal = {"cabsignal.bmp", {690, kPanelTop + 250, 100, 52}, 6};
    p.cabSignalSpeeds = {0, 25, 45, 50, 80, 95};  // as the line's speed checks use
    p.others = {{"", "other_request.bmp", "乗降促進", yellow, {12, kPanelTop + 266, 60, 20}, true},
                {"", "other_doorside.bmp", "右扉", white, {12, kPanelTop + 288, 60, 20}, true}};
    return p;
}

}  // namespace tovra::demo
