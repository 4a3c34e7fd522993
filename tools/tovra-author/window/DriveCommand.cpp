#include "DriveCommand.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace tovra::author {

std::optional<DriveCommand> driveCommand(const std::filesystem::path& dataDir,
                                         const std::filesystem::path& routeFile,
                                         const QString& ownFolder) {
    // The tovra of the same build or installation first: one on PATH may be
    // another version.
    QString program = QStandardPaths::findExecutable("tovra", {ownFolder});
    if (program.isEmpty()) program = QStandardPaths::findExecutable("tovra");
    if (program.isEmpty()) return std::nullopt;
    const auto absolute = [](const std::filesystem::path& p) {
        return QFileInfo(QString::fromStdString(p.string())).absoluteFilePath();
    };
    return DriveCommand{program, {"--data", absolute(dataDir), "--route", absolute(routeFile)}};
}

}  // namespace tovra::author
