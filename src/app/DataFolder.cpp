#include "app/DataFolder.h"

#include <cstdlib>
#include <sstream>

#include "common/DataPath.h"

namespace tovra {

namespace {

// An environment variable as a folder; unset, empty and relative values count
// as missing, as the XDG base directories want.
std::optional<std::filesystem::path> absoluteFromEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    std::filesystem::path folder(value);
    if (!folder.is_absolute()) return std::nullopt;
    return folder;
}

}  // namespace

std::filesystem::path DataFolderSearch::demoDir() const {
    return userDataDir.empty() ? userDataDir : userDataDir / "demo";
}

DataFolderSearch dataFolderSearch(const std::optional<std::filesystem::path>& dataOption,
                                  const std::filesystem::path& executableDir,
                                  const std::filesystem::path& currentDir) {
    DataFolderSearch search;
    search.chosen = dataOption;
    if (!search.chosen) {
        // A relative $TOVRA_DATA is the user's own choice: taken from the current folder.
        const char* tovraData = std::getenv("TOVRA_DATA");
        if (tovraData && *tovraData) search.chosen = currentDir / tovraData;
    }
    search.executableDir = executableDir;
    search.currentDir = currentDir;
    if (const auto dataHome = absoluteFromEnvironment("XDG_DATA_HOME")) {
        search.userDataDir = *dataHome / "tovra";
    } else if (const auto home = absoluteFromEnvironment("HOME")) {
        search.userDataDir = *home / ".local" / "share" / "tovra";
    }
    const char* dirs = std::getenv("XDG_DATA_DIRS");
    std::istringstream list(dirs && *dirs ? dirs : "/usr/local/share:/usr/share");
    std::string entry;
    while (std::getline(list, entry, ':')) {
        const std::filesystem::path folder(entry);
        if (folder.is_absolute()) search.systemDataDirs.push_back(folder / "tovra");
    }
    return search;
}

DataFolderResult findDataFolder(const DataFolderSearch& search) {
    DataFolderResult result;
    std::vector<std::filesystem::path> candidates;
    if (search.chosen) {
        candidates.push_back(*search.chosen);
    } else {
        candidates = {search.executableDir, search.currentDir, search.userDataDir,
                      search.demoDir()};
        candidates.insert(candidates.end(), search.systemDataDirs.begin(),
                          search.systemDataDirs.end());
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

std::string missingDataMessage(const DataFolderResult& result,
                               const std::filesystem::path& demoDir) {
    std::string text =
        uiText("DataFolder", kMisplacedMessage) + "\n\n" +
        fillIn(uiText("DataFolder", "%1 が次のフォルダにありません:"), {kSettingsFile});
    for (const auto& folder : result.searched) text += "\n  " + folder.string();
    text += "\n\n" + uiText("DataFolder",
                            "データのフォルダを --data DIR か TOVRA_DATA で指定してください。");
    if (!demoDir.empty())
        text += fillIn(uiText("DataFolder",
                              "デモ路線を作るには\n  tovra-demo %1\nを実行してから tovra "
                              "をもう一度起動してください。"),
                       {demoDir.string()});
    return text;
}

}  // namespace tovra
