#include "view/PanelSprite.h"

#include <array>

#include "common/AsciiCase.h"

namespace tovra {

namespace {

constexpr std::array<std::string_view, kPanelSpriteCount> kNames{
    "img_Needle_speed",   "img_digi_speed",     "img_Needle_I",       "img_Needle_V",
    "img_Needle_BC",      "img_Needle_BP",      "img_Needle_MR",      "img_Needle_SAP",
    "img_Needle_ER",      "img_Needle_BC_L",    "img_Needle_MR_L",    "img_Lamp_Power",
    "img_Lamp_Gen",       "img_Lamp_Ele",       "img_Lamp_Air",       "img_Lamp_const",
    "img_Lamp_fin",       "img_Lamp_Ats1",      "img_Lamp_Ats2",      "img_Lamp_Atsp1",
    "img_Lamp_Atsp2",     "img_Lamp_EB",        "img_Lamp_Fwd",       "img_Lamp_Bck",
    "img_Lamp_Door",      "img_Lamp_stopalert", "img_cabsignal",      "img_lamp_gear",
    "img_lamp_p",         "img_lamp_b",         "img_lamp_p2",        "img_lamp_b2",
    "img_gearlever",      "img_unten_teimoku",  "img_unten_teimokuS", "img_unten_teimokuM",
    "img_unten_teimokuE", "img_unten_slope",    "img_unten_limit",    "img_unten_remain",
    "img_unten_other",    "img_unten_signal",   "img_unten_signal_S", "img_unten_signal_L",
    "img_unten_signal_R"};

}  // namespace

std::string_view panelSpriteName(PanelSprite sprite) {
    return kNames[std::size_t(sprite)];
}

std::optional<PanelSprite> panelSpriteNamed(std::string_view name) {
    // Only while loading: a scan of a few dozen names.
    for (std::size_t k = 0; k < kNames.size(); ++k)
        if (equalsIgnoringCase(kNames[k], name)) return PanelSprite(k);
    return std::nullopt;
}

}  // namespace tovra
