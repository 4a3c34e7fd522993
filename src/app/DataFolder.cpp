#include "app/DataFolder.h"

#include "common/DataPath.h"

namespace tovra {

DataFolderResult findDataFolder(const DataFolderSearch& search) {
    DataFolderResult result;
    std::vector<std::filesystem::path> candidates;
    if (search.chosen) {
        candidates.push_back(*search.chosen);
    } else {
        candidates = {search.executableDir, search.currentDir};
    }
    for (const auto& folder : candidates) {
        if (folder.empty()) continue;
        result.searched.push_back(folder);
        std::error_code error;
        if (std::filesystem::is_regular_file(resolveDataPath(folder, kSettingsFile), error)) {
            result.folder = folder;
            break;
        }
    }
    return result;
}

std::string missingDataMessage(const DataFolderResult& result) {
    std::string text =
        std::string(kMisplacedMessage) + "\n\n" + kSettingsFile + " was not found in:";
    for (const auto& folder : result.searched) text += "\n  " + folder.string();
    text +=
        "\n\nGive the data folder with --data DIR. To make the demo line, run\n"
        "  tovra-demo demo\n"
        "and start with --data demo (./run.sh does both).";
    return text;
}

}  // namespace tovra
