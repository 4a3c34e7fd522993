#pragma once

#include <QString>
#include <filesystem>
#include <functional>

class QWidget;

namespace tovra {

// Long work on a worker thread: it reports the share done (0 to 1) and stops,
// by throwing, once `cancelled` answers true.
struct WorkHooks {
    std::function<void(double)> progress;
    std::function<bool()> cancelled;
};
using FolderWriter = std::function<void(const std::filesystem::path&, const WorkHooks&)>;

enum class WriteOutcome { Written, Cancelled, Failed };

// Runs `write` behind a modal progress dialog with a cancel button. It writes
// into a staging folder beside `folder` that becomes `folder` only when
// complete, so a cancelled or failed run leaves no half set to be found. A
// failure is shown to the user.
WriteOutcome writeWithProgress(QWidget* parent, const QString& label,
                               const std::filesystem::path& folder, const FolderWriter& write);

// The first start without a data set: offers to write the demo line into
// `folder` (`details` says where the program looked) and writes it. True when
// the set is there to start on.
bool offerDemoLine(const QString& details, const std::filesystem::path& folder,
                   const FolderWriter& write);

}  // namespace tovra
