#include "app/DemoLineSetup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <exception>
#include <stdexcept>
#include <thread>

#include "app/DataFolder.h"
#include "app/MessageBox.h"

namespace tovra {

namespace {

constexpr int kSteps = 1000;
constexpr int kPollMs = 100;

std::string errorText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "unknown error";
    }
}

}  // namespace

WriteOutcome writeWithProgress(QWidget* parent, const QString& label,
                               const std::filesystem::path& folder, const FolderWriter& write) {
    const std::filesystem::path staging = folder.string() + ".partial";
    std::error_code ignored;
    std::filesystem::remove_all(staging, ignored);  // left by a run that was killed

    QProgressDialog dialog(label, QCoreApplication::translate("DemoLineSetup", "キャンセル"), 0,
                           kSteps, parent);
    dialog.setWindowTitle(applicationTitle());
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumDuration(0);
    dialog.setValue(0);
    dialog.show();

    std::atomic<int> done{0};
    std::atomic<bool> cancel{false}, finished{false};
    std::exception_ptr failure;
    QObject::connect(&dialog, &QProgressDialog::canceled, [&cancel] { cancel = true; });
    std::thread worker([&] {
        try {
            std::filesystem::create_directories(staging);
            write(staging, {[&done](double share) { done = int(share * kSteps); },
                            [&cancel] { return bool(cancel); }});
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!cancel) dialog.setValue(std::clamp(int(done), 0, kSteps));
        if (finished) loop.quit();
    });
    poll.start(kPollMs);
    loop.exec();
    // The application may be quitting under the dialog: stop the work then too.
    if (!finished) cancel = true;
    worker.join();
    dialog.hide();

    if (!failure && !cancel) {
        try {
            // Only an empty folder of that name may stand in the way.
            std::filesystem::remove(folder, ignored);
            std::filesystem::rename(staging, folder);
            return WriteOutcome::Written;
        } catch (...) {
            failure = std::current_exception();
        }
    }
    std::filesystem::remove_all(staging, ignored);
    if (cancel) return WriteOutcome::Cancelled;
    showMessageBox(parent, QCoreApplication::translate("DemoLineSetup",
                                                       "データを %1 に書き込めませんでした:\n%2")
                               .arg(QString::fromStdString(folder.string()),
                                    QString::fromStdString(errorText(failure))));
    return WriteOutcome::Failed;
}

bool offerDemoLine(const QString& details, const std::filesystem::path& folder,
                   const FolderWriter& write) {
    QMessageBox box(
        QMessageBox::Question, applicationTitle(),
        QString::fromStdString(uiText("DataFolder", kMisplacedMessage)) + "\n\n" +
            QCoreApplication::translate("DemoLineSetup",
                                        "データが見つかりません。tovra はデモ路線を\n  %1\n"
                                        "に今書き込んで (一度だけ、数分)、それで始められます。")
                .arg(QString::fromStdString(folder.string())));
    box.setDetailedText(details);
    QPushButton* yes =
        box.addButton(QCoreApplication::translate("DemoLineSetup", "デモ路線を書き込む"),
                      QMessageBox::AcceptRole);
    box.addButton(QCoreApplication::translate("DemoLineSetup", "終了"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() != yes) return false;
    return writeWithProgress(nullptr,
                             QCoreApplication::translate(
                                 "DemoLineSetup", "デモ路線を書き込んでいます (画像・音・映像)…"),
                             folder, write) == WriteOutcome::Written;
}

}  // namespace tovra
