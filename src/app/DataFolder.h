#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tovra {

inline constexpr const char* kSettingsFile = "velmoran.dat";
inline constexpr const char* kMisplacedMessage = "実行ファイルが正しい場所に配置されていません";

// Where the program looks for its data: the folder given on the command
// line alone, else the executable's folder, then the current folder.
struct DataFolderSearch {
    std::optional<std::filesystem::path> chosen;  // --data
    std::filesystem::path executableDir;
    std::filesystem::path currentDir;
};

struct DataFolderResult {
    std::optional<std::filesystem::path> folder;  // the first holding velmoran.dat
    std::vector<std::filesystem::path> searched;
};
DataFolderResult findDataFolder(const DataFolderSearch& search);

// What the user reads when no folder holds the data.
std::string missingDataMessage(const DataFolderResult& result);

}  // namespace tovra
