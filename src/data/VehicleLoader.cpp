#include "data/VehicleLoader.h"

#include <string>
#include <variant>

#include "common/DataError.h"
#include "common/UiText.h"
#include "data/DataFileReader.h"
#include "data/VehicleSections.h"

namespace tovra {

namespace {

using namespace vehicle;
using V = VehicleSpec;

using SectionReader = void (*)(DataFileReader&, VehicleSpec&);
using Target = std::variant<std::int32_t V::*, Currency V::*, PlacedImage V::*, RoundNeedle V::*,
                            LinearGauge V::*, PatternImage V::*, SectionReader>;

struct KeyRow {
    const char* key;
    const char* label;  // replaces the group label before the test; nullptr keeps it
    Target target;
};

struct ReadInto {
    DataFileReader& r;
    VehicleSpec& v;

    void operator()(std::int32_t V::*field) const { v.*field = r.read_integer(); }
    void operator()(Currency V::*field) const { v.*field = r.read_fixed(); }
    void operator()(PlacedImage V::*field) const { readPlacedImage(r, v.*field); }
    void operator()(RoundNeedle V::*field) const { readRoundNeedle(r, v.*field); }
    void operator()(LinearGauge V::*field) const { readLinearGauge(r, v.*field); }
    void operator()(PatternImage V::*field) const { readPatternImage(r, v.*field); }
    void operator()(SectionReader read) const { read(r, v); }
};

constexpr const char* kBasicLabel = uiTextMark("DataFiles", "- 列車の基本設定");

// Far beyond any train, and small enough that no step count overflows.
constexpr std::int32_t kMostBrakeSteps = 100;
constexpr Extended kLargestFrictionCoef = 100;

std::int32_t readInRange(DataFileReader& r, const std::string& key, std::int32_t low,
                         std::int32_t high) {
    const std::int32_t value = r.read_integer();
    if (value < low || value > high)
        throw ReadFailure(key + " outside " + std::to_string(low) + " to " + std::to_string(high));
    return value;
}

// The whole key table in test order: a value line that begins with a later
// key is taken as that key's header, so the order is part of the format.
const KeyRow kKeyTable[] = {
    {"[Handle]", nullptr, &V::Handle},
    {"[BrakeType]", nullptr, &V::BrakeType},
    {"[BrakeType2]", nullptr, &V::BrakeType2},
    {"[Brake]", nullptr,
     +[](DataFileReader& r, V& v) { v.Brake = readInRange(r, "[Brake]", 0, kMostBrakeSteps); }},
    {"[Power]", nullptr, &V::Power},
    {"[NotchBack]", nullptr, &V::NotchBack},
    {"[Hold]", nullptr, &V::Hold},
    {"[Pull]", nullptr, &V::Pull},
    {"[Const]", nullptr,
     +[](DataFileReader& r, V& v) {
         v.ConstNotch = r.read_integer();
         v.ConstMinSpeed = r.read_integer();
     }},
    {"[Back]", nullptr, &V::Back},
    {"[BrakeRate]", nullptr, readBrakeRate},
    {"[BrakeRate2]", nullptr,
     +[](DataFileReader& r, V& v) {
         // A negative coefficient can make the friction curve's divisor 0.
         v.FrictionCoef = Extended(r.read_fixed());
         if (!(v.FrictionCoef >= 0 && v.FrictionCoef <= kLargestFrictionCoef))
             throw ReadFailure("[BrakeRate2] outside 0 to 100");
     }},
    {"[PowerDelay]", nullptr, &V::PowerDelay},
    {"[BrakeDelay]", nullptr, &V::BrakeDelay},
    {"[EBrakeDelay]", nullptr, &V::EBrakeDelay},
    {"[PowerJerk]", nullptr, &V::PowerJerk},
    {"[SAPDelay]", nullptr, &V::SAPDelay},
    {"[BrakeUp]", nullptr, &V::BrakeUp},
    {"[BrakeDown]", nullptr, &V::BrakeDown},
    {"[SAPUp]", nullptr, &V::SAPUp},
    {"[SAPDown]", nullptr, &V::SAPDown},
    {"[EBrakeUp]", nullptr, &V::EBrakeUp},
    {"[EBrakeDown]", nullptr, &V::EBrakeDown},
    {"[EBrakeCurr]", nullptr, &V::EBrakeCurr},
    {"[BPReturn]", nullptr, &V::BPReturn},
    {"[MAXPress]", nullptr, &V::MAXPress},
    {"[EBPress]", nullptr, &V::EBPress},
    {"[SAPPress]", nullptr, &V::SAPPress},
    {"[HighAirPress]", nullptr, &V::HighAirPress},
    {"[LowAirPress]", nullptr, &V::LowAirPress},
    {"[Engine_Type]", nullptr, &V::Engine_Type},
    {"[DoorLock]", nullptr, &V::DoorLock},
    {"[Power_Type]", nullptr, &V::Power_Type},
    {"[Brake_Type]", nullptr, &V::Brake_Type},
    {"[DoorType]", nullptr, &V::DoorType},
    {"[Mt]", nullptr, &V::Mt},
    {"[Tt]", nullptr, &V::Tt},
    {"[Tct]", nullptr, &V::Tct},
    {"[Cars]", nullptr, &V::Cars},
    {"[Tons]", nullptr, &V::Tons},
    {"[EB]", nullptr, &V::EB},
    {"[MaxSpeed]", nullptr, &V::MaxSpeed},
    {"[Lose_elec]", nullptr, &V::Lose_elec},
    {"[ELBR]", nullptr, &V::ELBR},
    {"[Mc]", nullptr, &V::Mc},
    {"[ATS_Type]", nullptr, &V::ATS_Type},
    {"[ATS_Alert]", nullptr, &V::ATS_Alert},
    {"[ATS_Time]", nullptr, &V::ATS_Time},
    {"[ATS_Cnt]", nullptr, &V::ATS_Cnt},
    // The per-step tables take as many lines as Brake and Power hold by now.
    {"[Sound_BK]", nullptr,
     +[](DataFileReader& r, V& v) { readPerStepSounds(r, v.Sound_BK, v.Brake); }},
    {"[Sound_BR]", nullptr,
     +[](DataFileReader& r, V& v) { readPerStepSounds(r, v.Sound_BR, v.Brake); }},
    {"[Sound_BA]", nullptr,
     +[](DataFileReader& r, V& v) { readPerStepSounds(r, v.Sound_BA, std::int64_t{v.Brake} + 1); }},
    {"[Sound_PA]", nullptr,
     +[](DataFileReader& r, V& v) { readPerStepSounds(r, v.Sound_PA, v.Power); }},
    {"[Sound_PR]", nullptr,
     +[](DataFileReader& r, V& v) { readPerStepSounds(r, v.Sound_PR, v.Power); }},
    {"[Sound_EB]", nullptr,
     +[](DataFileReader& r, V& v) {
         v.Sound_EB[0] = r.read_integer();
         v.Sound_EB[1] = r.read_optional_integer();
     }},
    {"[Sound_Apply]", nullptr,
     +[](DataFileReader& r, V& v) {
         for (auto& sound : v.Sound_Apply) sound = r.read_integer();
     }},
    {"[Sound_Ats1]", nullptr, &V::Sound_Ats1},
    {"[Sound_Ats2]", nullptr, &V::Sound_Ats2},
    {"[Sound_Ats3]", nullptr, &V::Sound_Ats3},
    {"[Sound_Atc]", nullptr, &V::Sound_Atc},
    {"[Sound_Horn]", nullptr, &V::Sound_Horn},
    {"[Sound_Horn2]", nullptr, &V::Sound_Horn2},
    {"[Sound_Horn3]", nullptr, &V::Sound_Horn3},
    {"[Sound_Horn4]", nullptr, readHorn4},
    {"[Sound_DoorOpen]", nullptr, &V::Sound_DoorOpen},
    {"[Sound_DoorClose]", nullptr, &V::Sound_DoorClose},
    {"[Sound_EBring]", nullptr, &V::Sound_EBring},
    {"[Sound_squeak]", nullptr, &V::Sound_squeak},
    {"[CP_Start]", nullptr, &V::CP_Start},
    {"[CP_Cnt]", nullptr, &V::CP_Cnt},
    {"[CP_End]", nullptr, &V::CP_End},
    {"[Stop]", nullptr, &V::Stop},
    {"[Buzzer]", nullptr, &V::Buzzer},
    {"[DepSign]", nullptr, &V::DepSign},
    {"[ATS_Warn]", nullptr, &V::ATS_Warn},
    {"[SwitchSound]", nullptr, readSwitchSound},
    {"[EngineRate]", nullptr, readEngineRate},
    {"[Gear_Type]", nullptr, readGearType},
    {"[Notch]", "[Notch]", readNotch},
    {"[CurrentP]", "[CurrentP]", readCurrentP},
    {"[BrakeCurr]", "[BrakeCurr]", readBrakeCurr},
    {"[CurrentB]", "[CurrentB]", readCurrentB},
    {"[Engine]", "[Engine]", readEngine},
    {"[PowerMode]", "[PowerMode]", readPowerMode},
    {"[EngineSound1]", "[EngineSound1]", readEngineSound1},
    {"[EngineSound2]", "[EngineSound2]",
     +[](DataFileReader& r, V& v) {
         for (auto& sound : v.EngineSound2) sound = r.read_integer();
     }},
    {"[EngineSound3]", "[EngineSound3]", readEngineSound3},
    {"[DriveSound]", "[DriveSound]", readDriveSound},
    {"[Clock]", uiTextMark("DataFiles", "- アナログ時計"),
     +[](DataFileReader& r, V& v) {
         v.ClockX = r.read_integer();
         v.ClockY = r.read_integer();
         v.ClockHandLength = r.read_integer();
     }},
    {"[Panel]", uiTextMark("DataFiles", "- 運転台パネル"), &V::Panel},
    {"[Panel2]", nullptr, &V::Panel2},
    {"[Lamp_Door]", uiTextMark("DataFiles", "- 運転台パネル2"), &V::Lamp_Door},
    {"[Lamp_Power]", nullptr, &V::Lamp_Power},
    {"[Lamp_EB]", nullptr, &V::Lamp_EB},
    {"[Lamp_Gen]", nullptr, &V::Lamp_Gen},
    {"[Lamp_Air]", nullptr, &V::Lamp_Air},
    {"[Lamp_Fin]", nullptr, &V::Lamp_Fin},
    {"[Lamp_Ele]", nullptr, &V::Lamp_Ele},
    {"[Lamp_Ats1]", nullptr, &V::Lamp_Ats1},
    {"[Lamp_Ats2]", nullptr, &V::Lamp_Ats2},
    {"[Lamp_ATSP1]", nullptr, &V::Lamp_ATSP1},
    {"[Lamp_ATSP2]", nullptr, &V::Lamp_ATSP2},
    {"[Lamp_G]", uiTextMark("DataFiles", "- 運転台パネル3"), &V::Lamp_G},
    {"[Lamp_YG]", nullptr, &V::Lamp_YG},
    {"[Lamp_Y]", nullptr, &V::Lamp_Y},
    {"[Lamp_YY]", nullptr, &V::Lamp_YY},
    {"[Lamp_R]", nullptr, &V::Lamp_R},
    {"[Lamp_Fwd]", nullptr, &V::Lamp_Fwd},
    {"[Lamp_Back]", nullptr, &V::Lamp_Back},
    {"[Lamp_Const]", nullptr, &V::Lamp_Const},
    {"[Lamp_Stop]", nullptr, &V::Lamp_Stop},
    {"[Needle_Speed]", uiTextMark("DataFiles", "- 速度計"),
     +[](DataFileReader& r, V& v) {
         readRoundNeedle(r, v.Needle_Speed);
         v.Needle_Speed.Rate2 = r.read_decimal();
     }},
    {"[Needle_BC]", uiTextMark("DataFiles", "- BC圧力計"), &V::Needle_BC},
    {"[Needle_BC_L]", uiTextMark("DataFiles", "- BC圧力計（リニア）"), &V::Needle_BC_L},
    {"[Needle_SAP]", uiTextMark("DataFiles", "- SAP圧力計"), &V::Needle_SAP},
    {"[Needle_ER]", uiTextMark("DataFiles", "- ER圧力計"), &V::Needle_ER},
    {"[Needle_BP]", uiTextMark("DataFiles", "- BP圧力計"), &V::Needle_BP},
    {"[Needle_MR]", uiTextMark("DataFiles", "- MR圧力計"), &V::Needle_MR},
    {"[Needle_MR_L]", uiTextMark("DataFiles", "- MR圧力計（リニア）"), &V::Needle_MR_L},
    {"[Needle_V]", uiTextMark("DataFiles", "- 電圧計"), &V::Needle_V},
    {"[Needle_I]", uiTextMark("DataFiles", "- 電流計"),
     +[](DataFileReader& r, V& v) {
         readRoundNeedle(r, v.Needle_I);
         v.Needle_I.Source = r.read_integer();
     }},
    {"[Lamp_signal]", "[Lamp_signal]", readLampSignal},
    {"[NotchImageP]", "[NotchImageP]", &V::NotchImageP},
    {"[NotchImageB]", "[NotchImageB]", &V::NotchImageB},
    {"[NotchImageP2]", "[NotchImageP2]", &V::NotchImageP2},
    {"[NotchImageB2]", "[NotchImageB2]", &V::NotchImageB2},
    {"[GearImageList]", "[GearImageList]", &V::GearImageList},
    {"[GearImageList2]", "[GearImageList2]", &V::GearImageList2},
    {"[Digi_Speed]", "[Digi_Speed]", &V::Digi_Speed},
    {"[Others]", "[Others]", readOthers},
};

void readPass(DataFileReader& reader, VehicleSpec& loaded, std::string& label) {
    label = kBasicLabel;
    reader.read_line();
    for (const KeyRow& row : kKeyTable) {
        if (row.label != nullptr) label = row.label;
        if (reader.starts_with(row.key)) std::visit(ReadInto{reader, loaded}, row.target);
    }
}

// The automatic air brake always has four steps; a notched brake needs three.
// An automatic air brake always has four valve positions. Too few steps of
// another brake are refused later, once every sound has been loaded.
void applyBrakeSteps(VehicleSpec& loaded) {
    if (loaded.BrakeType == 0) loaded.Brake = 4;
}

}  // namespace

std::string vehicleFileMessage(std::string_view label) {
    return uiText("DataFiles", kVehicleFileError) + uiText("DataFiles", std::string(label).c_str());
}

VehicleSpec loadVehicleSpec(const std::filesystem::path& file) {
    VehicleSpec loaded;
    DataFileReader reader;
    std::string label;  // stays empty when the file cannot be opened
    try {
        reader.open(file);
        while (!reader.at_end()) readPass(reader, loaded, label);
    } catch (const ReadFailure& failure) {
        throw DataError(vehicleFileMessage(label), reader.describe(failure));
    }
    applyBrakeSteps(loaded);
    return loaded;
}

}  // namespace tovra
