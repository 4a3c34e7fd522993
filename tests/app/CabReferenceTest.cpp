// The cab window at its default size is drawn pixel for pixel as it was
// before the cab learnt to scale (commit dda848b): the pictures in
// tests/app/reference were grabbed from that commit's window by this very
// test. To write them again from a build whose cab is known to be right,
// run it with TOVRA_WRITE_CAB_REFERENCE=DIR and copy the PNGs from DIR.
// They depend on the quick demo line, the test video written here and the
// font (fonts-ipafont-gothic): a change to any of them calls for new
// pictures from a trusted build.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <string>

#include <filesystem>
#include <memory>

#include "app/CabWindow.h"
#include "app/EasyCab.h"
#include "app/ValueDisplay.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/QtSettingsStore.h"
#include "support/NumberedVideo.h"
#include "support/QuickDemo.h"
#include "support/TempDir.h"

#ifndef TOVRA_CAB_REFERENCE_DIR
#define TOVRA_CAB_REFERENCE_DIR ""
#endif

namespace tovra {
namespace {

namespace fs = std::filesystem;

// The quick demo line with its down video replaced by one as large as the
// video area (the quick one is tiny), finely patterned, so that the picture
// is compared pixel for pixel too.
const fs::path& referenceLine() {
    static test::TempDir folder;
    static const bool written = [] {
        const fs::path demo = test::quickDemo();
        for (const auto& entry : fs::directory_iterator(demo))
            if (entry.path().filename() != "move")
                fs::create_symlink(entry.path(), folder.path() / entry.path().filename());
        fs::create_directory(folder.path() / "move");
        for (const auto& entry : fs::directory_iterator(demo / "move"))
            if (entry.path().filename() != "line_down.avi")
                fs::create_symlink(entry.path(), folder.path() / "move" / entry.path().filename());
        test::VideoRecipe recipe{"mpeg4", "avi", 30, 0};
        recipe.width = 800;
        recipe.height = 450;
        recipe.textured = true;
        recipe.firstNumber = 0x5A5A;  // black and white blocks
        return test::writeNumberedVideo(folder.path() / "move" / "line_down.avi", recipe, 60);
    }();
    EXPECT_TRUE(written);
    return folder.path();
}

class AppCabReference : public testing::Test {
  protected:
    void SetUp() override {
        RunChoice choice;
        choice.dataDir = referenceLine();
        choice.routeFile = "line_rapid_down.dat";
        window = std::make_unique<TForm1>(choice, store, makeOpenAlSoundDevice(), nullptr,
                                          AuxiliaryWindows{valueDisplay, easyCab});
        ASSERT_TRUE(window->load());
    }

    QAction* displayItem(const char* caption) const {
        for (QAction* a : window->menus()->actions()[2]->menu()->actions())
            if (a->text() == caption) return a;
        return nullptr;
    }

    // The same run every time: the window at its default size, its timers
    // stopped so that only the ticks given here run, then drawn until the
    // video shows the train's own frame and nothing changes any more.
    QImage settledWindow(int ticks) {
        Cab& cab = window->cab();
        cab.host.setPhysicsTimerRunning(false);
        cab.host.setLogicTimerRunning(false);
        window->resize(window->sizeHint());
        window->show();
        QApplication::processEvents();
        for (int period = 1; period <= ticks; ++period) {
            window->physicsTick();
            if (period % 3 == 0) window->logicTick();
        }
        std::int64_t drawn = -1;
        for (int pass = 0; pass < 400; ++pass) {
            const bool exact = cab.video.PictureFrame == cab.state.Frame;
            if (exact && window->drawState().framesDrawn == drawn) break;
            drawn = window->drawState().framesDrawn;
            QThread::msleep(16);
            window->drawPass();
        }
        EXPECT_EQ(cab.video.PictureFrame, cab.state.Frame);
        QApplication::processEvents();
        return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Compares with the reference picture, or writes it.
    void matchesReference(const QImage& shown, const char* name) {
        const QByteArray writeTo = qgetenv("TOVRA_WRITE_CAB_REFERENCE");
        if (!writeTo.isEmpty()) {
            QDir().mkpath(QString::fromUtf8(writeTo));
            ASSERT_TRUE(shown.save(QString::fromUtf8(writeTo) + "/" + name, "PNG"));
            return;
        }
        const QString file = QString(TOVRA_CAB_REFERENCE_DIR) + "/" + name;
        const QImage reference = QImage(file).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(reference.isNull()) << "no reference picture " << file.toStdString();
        ASSERT_EQ(shown.size(), reference.size());
        int differing = 0;
        QRect where;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixel(x, y) == reference.pixel(x, y)) continue;
                ++differing;
                where |= QRect(x, y, 1, 1);
            }
        }
        if (differing > 0) {
            const QString kept = QDir::temp().filePath(QString("tovra-shown-") + name);
            shown.save(kept, "PNG");
            ADD_FAILURE() << differing << " pixels differ from " << file.toStdString()
                          << " within (" << where.x() << ", " << where.y() << ") "
                          << where.width() << " x " << where.height() << "; shown: "
                          << kept.toStdString();
        }
    }

    const KeyForward forward = [this](QKeyEvent* e) { window->cabKey(e); };
    TForm3 valueDisplay{forward};
    TForm6 easyCab{forward};
    test::TempDir config;
    QtSettingsStore store{config.path()};
    std::unique_ptr<TForm1> window;
};

TEST_F(AppCabReference, TheDefaultWindowIsDrawnAsBefore) {
    matchesReference(settledWindow(90), "cab-default.png");
}

// The label column, the top message near the bottom of the video.
TEST_F(AppCabReference, TheTextModeIsDrawnAsBefore) {
    window->cab().options.Information = 0;
    displayItem("文字表示モード切り替え(&C)")->trigger();
    matchesReference(settledWindow(150), "cab-text-mode.png");
}

}  // namespace
}  // namespace tovra
