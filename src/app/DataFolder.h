#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/UiText.h"

namespace tovra {

inline constexpr const char* kSettingsFile = "velmoran.dat";
inline constexpr const char* kMisplacedMessage =
    uiTextMark("DataFolder", "実行ファイルが正しい場所に配置されていません");

// Where the program looks for its data. A folder the user names (--data, else
// $TOVRA_DATA) is the only place looked at; otherwise the program's folder,
// the current folder, the user's data folders, then the system's.
struct DataFolderSearch {
    std::optional<std::filesystem::path> chosen;  // --data or $TOVRA_DATA
    std::filesystem::path executableDir;
    std::filesystem::path currentDir;
    std::filesystem::path userDataDir;  // $XDG_DATA_HOME/tovra; empty without a home
    std::vector<std::filesystem::path> systemDataDirs;  // each $XDG_DATA_DIRS entry's tovra

    // Where the demo line goes when no data set is found: beside the user's own.
    std::filesystem::path demoDir() const;
};

// The search for this process: `dataOption` is --data; the rest comes from
// the environment (TOVRA_DATA, XDG_DATA_HOME, XDG_DATA_DIRS, HOME).
DataFolderSearch dataFolderSearch(const std::optional<std::filesystem::path>& dataOption,
                                  const std::filesystem::path& executableDir,
                                  const std::filesystem::path& currentDir);

struct DataFolderResult {
    std::optional<std::filesystem::path> folder;  // the first holding velmoran.dat
    std::vector<std::filesystem::path> searched;
};
DataFolderResult findDataFolder(const DataFolderSearch& search);

// What the user reads when no folder holds the data; `demoDir` is where
// tovra-demo would put a set that the next start finds.
std::string missingDataMessage(const DataFolderResult& result,
                               const std::filesystem::path& demoDir);

}  // namespace tovra
