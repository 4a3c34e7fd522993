#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "ShownMessages.h"
#include "app/DemoLineSetup.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

namespace fs = std::filesystem;

// Presses the cancel button of the progress dialog once it is up.
void cancelWhenShown() {
    QTimer::singleShot(10, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QProgressDialog*>(w);
            if (dialog && dialog->isVisible()) return dialog->findChild<QPushButton*>()->click();
        }
        cancelWhenShown();
    });
}

TEST(AppDemoLineSetup, OnlyACompleteSetTakesTheFolder) {
    test::TempDir home;
    const fs::path target = home / "share/tovra/demo";
    const auto writeSettings = [](const fs::path& folder) {
        std::ofstream(folder / "velmoran.dat") << "x";
    };

    EXPECT_EQ(writeWithProgress(nullptr, "writing", target,
                                [&](const fs::path& folder, const WorkHooks& hooks) {
                                    writeSettings(folder);
                                    hooks.progress(0.5);
                                    hooks.progress(1);
                                }),
              WriteOutcome::Written);
    EXPECT_TRUE(fs::is_regular_file(target / "velmoran.dat"));
    EXPECT_FALSE(fs::exists(target.string() + ".partial"));
    fs::remove_all(target);

    // The writer goes on until it hears the cancel, as the generator does.
    cancelWhenShown();
    bool heardCancel = false;
    EXPECT_EQ(writeWithProgress(nullptr, "writing", target,
                                [&](const fs::path& folder, const WorkHooks& hooks) {
                                    writeSettings(folder);
                                    // Bounded, so that a lost cancel fails instead of hanging.
                                    for (int step = 0; step < 100000; ++step) {
                                        if ((heardCancel = hooks.cancelled())) break;
                                        hooks.progress(0.1);
                                        std::this_thread::sleep_for(std::chrono::milliseconds(1));
                                    }
                                    throw std::runtime_error("cancelled");
                                }),
              WriteOutcome::Cancelled);
    EXPECT_TRUE(heardCancel);
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(target.string() + ".partial"));

    // A failure is told, and its half-written set is gone too.
    test::shownMessages().clear();
    EXPECT_EQ(writeWithProgress(nullptr, "writing", target,
                                [&](const fs::path& folder, const WorkHooks&) {
                                    writeSettings(folder);
                                    throw std::runtime_error("no space left on device");
                                }),
              WriteOutcome::Failed);
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_TRUE(test::shownMessages()[0].contains("no space left on device"));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_FALSE(fs::exists(target.string() + ".partial"));

    // Something else of that name in the way is not overwritten.
    fs::create_directories(target);
    std::ofstream(target / "notes.txt") << "mine";
    EXPECT_EQ(
        writeWithProgress(nullptr, "writing", target,
                          [&](const fs::path& folder, const WorkHooks&) { writeSettings(folder); }),
        WriteOutcome::Failed);
    EXPECT_TRUE(fs::exists(target / "notes.txt"));
    EXPECT_FALSE(fs::exists(target / "velmoran.dat"));
}

}  // namespace
}  // namespace tovra
