#include "data/ProgramSettings.h"

#include "common/DataError.h"
#include "common/TextFields.h"
#include "common/UiText.h"
#include "data/DataFileReader.h"

namespace tovra {

namespace {

void readDisp(DataFileReader& r, ProgramSettings& s) {
    r.read_line();
    s.TickRate = parseInteger(CsvField(r.line(), 1));
    // Every per-tick step divides by the rate.
    if (s.TickRate < 1) throw ReadFailure("a tick rate below 1");
    s.FrameLimitFactor = parseInteger(CsvField(r.line(), 2));
    const auto nextField = [&r] {
        r.read_line();
        return parseInteger(CsvField(r.line(), 1));
    };
    s.StaffOverlayX = nextField();
    s.VideoWidth = nextField();
    s.VideoHeight = nextField();
    s.FadeExtraHeight = nextField();
}

void readPass(DataFileReader& r, ProgramSettings& s) {
    struct TextKey {
        const char* key;
        std::string ProgramSettings::*field;
    };
    // Test order of the file's key table; [Disp] and the multi-line keys sit
    // at their own places below.
    // clang-format off
    static const TextKey before[] = {
        {"[Path]", &ProgramSettings::VideoDir},     {"[Forward]", &ProgramSettings::Forward},
        {"[Neutral]", &ProgramSettings::Neutral},   {"[Reverse]", &ProgramSettings::Reverse},
        {"[Stop]", &ProgramSettings::StopText},     {"[Pass]", &ProgramSettings::PassText},
        {"[Stop2]", &ProgramSettings::Stop2Text},   {"[Neut]", &ProgramSettings::Neut},
        {"[Neut2]", &ProgramSettings::Neut2},       {"[Apply]", &ProgramSettings::Apply},
        {"[Maintain]", &ProgramSettings::Maintain}, {"[Remove]", &ProgramSettings::Remove},
        {"[Hold]", &ProgramSettings::Hold},         {"[Hold2]", &ProgramSettings::Hold2},
        {"[EB]", &ProgramSettings::EB},             {"[Const]", &ProgramSettings::Const},
        {"[Cars]", &ProgramSettings::Cars},         {"[TC]", &ProgramSettings::TC},
    };
    // clang-format on
    static const TextKey after[] = {
        {"[Start]", &ProgramSettings::StartCaption},
        {"[Move]", &ProgramSettings::MoveCaption},
        {"[Display]", &ProgramSettings::DisplayCaption},
        {"[Control]", &ProgramSettings::ControlCaption},
        {"[Save]", &ProgramSettings::SaveCaption},
    };

    if (r.starts_with("[Disp]")) readDisp(r, s);
    for (const auto& k : before) {
        if (r.starts_with(k.key)) s.*k.field = r.read_text();
    }
    const auto readTexts = [&r](auto& texts) {
        for (auto& t : texts) t = r.read_text();
    };
    if (r.starts_with("[Stops]")) readTexts(s.Stops);
    if (r.starts_with("[Doors]")) readTexts(s.Doors);
    if (r.starts_with("[Gears]")) readTexts(s.Gears);
    if (r.starts_with("[InfoLabel]")) {
        s.InfoLabels.clear();
        r.read_list(ProgramSettings::kInfoLabelCapacity, DataFileReader::Unclosed::EndsList,
                    [&](std::size_t) { s.InfoLabels.push_back(r.line()); });
    }
    for (const auto& k : after) {
        if (r.starts_with(k.key)) s.*k.field = r.read_text();
    }
}

}  // namespace

ProgramSettings loadProgramSettings(const std::filesystem::path& file) {
    ProgramSettings settings;
    DataFileReader reader;
    try {
        reader.open(file);
        while (!reader.at_end()) {
            reader.read_line();
            readPass(reader, settings);
        }
        if (settings.TickRate < 1) throw ReadFailure("no [Disp] with a tick rate");
    } catch (const ReadFailure& failure) {
        throw DataError(uiText("DataFiles", kSettingsFileError), reader.describe(failure));
    }
    return settings;
}

}  // namespace tovra
