#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "ShownMessages.h"
#include "app/CabWindow.h"
#include "app/ClickableLabel.h"
#include "app/HelpWindow.h"
#include "app/OpeningMovie.h"
#include "app/TitleWindow.h"
#include "app/ValueDisplay.h"
#include "platform/QtSettingsStore.h"
#include "support/QuickDemo.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

class AppTitleWindow : public testing::Test {
  protected:
    test::TempDir config;
    QtSettingsStore store{config.path()};
    TitleWindow title{test::quickDemo(), store, 7};
};

TEST_F(AppTitleWindow, OpensOnTheTitleAndBuildsTheMenuOneEntryAfterAnother) {
    EXPECT_EQ(title.state(), TitleWindow::Opening);
    // Without an opening movie the title picture comes at the first tick.
    title.timerTick();
    EXPECT_EQ(title.state(), TitleWindow::TitlePicture);
    EXPECT_EQ(title.size(), QSize(800, 600));
    EXPECT_FALSE(title.quitButton()->isVisibleTo(&title));  // only Back brings it
    title.goOn();
    EXPECT_EQ(title.state(), TitleWindow::Menu);
    EXPECT_FALSE(title.quitButton()->isVisibleTo(&title));

    const auto shown = [&] {
        return std::array<bool, 5>{
            title.menuEntryVisible(1), title.menuEntryVisible(2), title.menuEntryVisible(3),
            title.helpButton()->isVisibleTo(&title), title.backButton()->isVisibleTo(&title)};
    };
    const std::array<std::array<bool, 5>, 12> expected = {{
        {false, false, false, false, false},  // tick 1
        {false, false, false, false, false},
        {true, false, false, false, false},
        {true, true, false, false, false},
        {true, true, true, false, false},  // tick 5
        {true, true, true, false, false},
        {true, true, true, false, false},
        {true, true, true, false, false},
        {true, true, true, false, false},
        {true, true, true, false, false},
        {true, true, true, true, false},  // tick 11
        {true, true, true, true, true},
    }};
    for (std::size_t tick = 0; tick < expected.size(); ++tick) {
        title.timerTick();
        EXPECT_EQ(shown(), expected[tick]) << "tick " << tick + 1;
    }

    title.backClick();
    EXPECT_EQ(title.state(), TitleWindow::TitlePicture);
    EXPECT_FALSE(title.menuEntryVisible(1));
    EXPECT_TRUE(title.quitButton()->isVisibleTo(&title));
}

// The title picture's lettering stays clear of the start prompt laid over it.
TEST_F(AppTitleWindow, TitleLetteringLeavesThePromptClear) {
    title.timerTick();
    ASSERT_EQ(title.state(), TitleWindow::TitlePicture);
    const QLabel* prompt = nullptr;
    const QLabel* picture = nullptr;
    for (const QLabel* label : title.findChildren<QLabel*>()) {
        if (label->text() == "クリックしてください") prompt = label;
        if (label->pixmap().size() == QSize(800, 600)) picture = label;
    }
    ASSERT_TRUE(prompt && picture);
    const QImage image = picture->pixmap().toImage();
    const auto lettering = [&](const QRect& area) {
        int bright = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) > 160) ++bright;
        return bright;
    };
    if (lettering(QRect(0, 380, 800, 160)) == 0) GTEST_SKIP() << "pictures drawn without a font";
    EXPECT_EQ(lettering(prompt->geometry()), 0);
}

TEST_F(AppTitleWindow, RouteAndTrainChoiceReachTheCabWindow) {
    title.timerTick();
    title.goOn();
    EXPECT_FALSE(title.trainClick());  // no route chosen yet
    title.routeClick(2);
    EXPECT_EQ(title.choice().routeFile, "line_rapid_utl.dat");
    EXPECT_TRUE(title.trainPicture()->isVisibleTo(&title));
    title.routeClick(1);
    EXPECT_EQ(title.choice().routeFile, "line_rapid_down.dat");
    EXPECT_EQ(title.choice().startStation, 0);
    EXPECT_EQ(title.choice().crewChangeStation, 999);

    // A vehicle chosen in the file dialog serves the next run only.
    title.chooseVehicle(test::quickDemo() / "train_oldemu" / "train_oldemu.dat", 1);
    ASSERT_TRUE(title.trainClick());
    EXPECT_EQ(title.choice().vehicleFile, "train_oldemu.dat");
    EXPECT_EQ(title.choice().vehicleDir, test::quickDemo() / "train_oldemu");
    ASSERT_TRUE(title.cabWindow());
    EXPECT_TRUE(title.cabWindow()->isVisible());
    EXPECT_FALSE(title.isVisible());
    EXPECT_EQ(title.statusText(), "環境をセットアップしています");
    EXPECT_EQ(title.height(), 618);

    title.cabWindow()->close();
    QApplication::processEvents();
    EXPECT_FALSE(title.cabWindow());
    EXPECT_TRUE(title.isVisible());
    EXPECT_EQ(title.height(), 600);

    ASSERT_TRUE(title.trainClick());
    EXPECT_EQ(title.choice().vehicleFile, "train_E231.dat");
    EXPECT_TRUE(title.choice().vehicleDir.empty());
    title.cabWindow()->close();
    QApplication::processEvents();
}

TEST_F(AppTitleWindow, TheProgramGoesOnWhenARunEnds) {
    title.show();
    title.timerTick();
    title.goOn();
    title.routeClick(1);
    ASSERT_TRUE(title.trainClick());
    // Closing the only visible window would end the event loop with 0.
    QTimer::singleShot(50, title.cabWindow(), [&] { title.cabWindow()->close(); });
    QTimer::singleShot(300, [] { QApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_TRUE(title.isVisible());
    EXPECT_FALSE(title.cabWindow());
}

TEST_F(AppTitleWindow, QuitEndsTheProgramWhateverWindowIsOpen) {
    test::TempDir folder;
    TForm4 help(folder.writeCp932("operation.dat", "操作説明\n"));
    title.show();
    help.show();
    title.valueDisplay().show();
    QTimer::singleShot(50, &title, [&] { title.quitClick(); });
    QTimer::singleShot(2000, [] { QApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(help.isVisible());
    EXPECT_FALSE(title.valueDisplay().isVisible());
}

TEST_F(AppTitleWindow, ARunThatCannotLoadEndsTheProgram) {
    bool failed = false;
    title.onLoadFailure = [&] { failed = true; };
    title.routeClick(3);
    title.chooseVehicle(test::quickDemo() / "no_such_train.dat", 3);
    test::shownMessages().clear();
    EXPECT_FALSE(title.trainClick());
    EXPECT_TRUE(failed);
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_TRUE(test::shownMessages()[0].startsWith("車両ファイルに誤りがあります"));
    EXPECT_FALSE(title.cabWindow());
}

TEST(AppTitleMovie, PlaysUntilClickedOrFor160Seconds) {
    test::TempDir data;
    std::filesystem::create_directory(data / "move");
    std::filesystem::copy_file(test::quickDemo() / "move" / "line_down.avi",
                               data / "move" / "opening.avi");
    test::TempDir config;
    QtSettingsStore store{config.path()};
    for (const bool click : {true, false}) {
        TitleWindow title{data.path(), store, 1};
        ASSERT_TRUE(title.movie()->opened());
        EXPECT_EQ(title.movie()->shownFrame(), 0);
        for (int tick = 1; tick < 1600; ++tick) title.timerTick();
        EXPECT_EQ(title.state(), TitleWindow::Opening);
        if (click) {
            title.goOn();
        } else {
            title.timerTick();  // the 1600th tick
        }
        EXPECT_EQ(title.state(), TitleWindow::TitlePicture);
        EXPECT_FALSE(title.movie()->opened());
    }
}

TEST(AppTitleMovie, AMovieThatCannotBePlayedIsReportedAndSkipped) {
    test::TempDir data;
    data.writeBytes("move/opening.avi", "not a video");
    test::TempDir config;
    QtSettingsStore store{config.path()};
    test::shownMessages().clear();
    TitleWindow title{data.path(), store, 1};
    ASSERT_EQ(test::shownMessages().size(), 1u);
    EXPECT_EQ(test::shownMessages()[0], "オープニングムービーを開けません");
    title.timerTick();
    EXPECT_EQ(title.state(), TitleWindow::TitlePicture);
}

TEST(AppHelpWindow, FirstLineIsTheCaption) {
    test::TempDir folder;
    const auto file = folder.writeCp932("operation.dat", "操作説明\nz 加速\nx 減速\n");
    const TForm4 help(file);
    EXPECT_EQ(help.windowTitle(), "操作説明");
    EXPECT_EQ(help.text(), "z 加速\nx 減速");
}

}  // namespace
}  // namespace tovra
