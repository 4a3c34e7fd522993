#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace tovra::author {

// How to start tovra on a written route with the default train.
struct DriveCommand {
    QString program;
    QStringList arguments;
};

// tovra beside this program (in `ownFolder`), else the first on PATH;
// nothing when there is neither.
std::optional<DriveCommand> driveCommand(const std::filesystem::path& dataDir,
                                         const std::filesystem::path& routeFile,
                                         const QString& ownFolder);

}  // namespace tovra::author
