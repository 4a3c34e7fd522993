#include "data/ControllerFiles.h"

#include "common/DataError.h"
#include "common/UiText.h"
#include "data/DataFileReader.h"
#include "ports/SettingsStore.h"

namespace tovra {

MasconTable loadMasconTable(const std::filesystem::path& file) {
    try {
        return MasconTable{DataFileReader::readLineList(file, MasconTable::kCapacity)};
    } catch (const ReadFailure& failure) {
        throw DataError(uiText("DataFiles", "コントローラ設定ファイル mascon.dat を読み込めません"),
                        file.string() + ": " + failure.what());
    }
}

ControllerCodes loadControllerCodes(const SettingsStore& store) {
    ControllerCodes codes;
    std::vector<std::pair<std::string, int*>> order;
    for (std::size_t i = 0; i < codes.power.size(); ++i)
        order.emplace_back("P" + std::to_string(i), &codes.power[i]);
    for (std::size_t i = 0; i < codes.brake.size(); ++i)
        order.emplace_back("B" + std::to_string(i), &codes.brake[i]);
    order.emplace_back("EB", &codes.emergency);
    for (const auto& [key, target] : order) {
        const auto value = store.readInteger("dgcontroller", key);
        if (!value) break;
        *target = *value;
    }
    return codes;
}

HelpText loadHelpText(const std::filesystem::path& file) {
    HelpText help;
    DataFileReader reader;
    try {
        reader.open(file);
    } catch (const ReadFailure&) {
        return help;
    }
    reader.read_line();
    help.caption = reader.line();
    while (!reader.at_end()) {
        reader.read_line();
        help.lines.push_back(reader.line());
    }
    return help;
}

}  // namespace tovra
