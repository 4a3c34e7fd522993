// The window's station table on the quick demo line, offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTableWidget>
#include <cstdlib>
#include <fstream>

#include "AuthorWindow.h"
#include "DriveCommand.h"
#include "common/DataPath.h"
#include "data/ProgramSettings.h"
#include "data/RouteLoader.h"
#include "support/QuickDemo.h"
#include "support/TempDir.h"

namespace tovra::author {
namespace {

QApplication& application() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "tovra_author_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

TEST(AuthorWindow, TableEditsAreWhatIsWritten) {
    application();
    const std::filesystem::path& data = tovra::test::quickDemo();
    const RouteSpec truth = loadRouteSpec(data / "line_rapid_down.dat", "");
    AuthorRequest request;
    request.video = resolveDataPath(
        data, loadProgramSettings(data / "velmoran.dat").VideoDir + truth.DataName + ".avi");
    request.dataDir = data;
    request.lineName = "窓の線";
    AuthorWindow window(request);
    QTableWidget& table = window.table();

    // Without a way to measure, three stations by hand with kilometre posts.
    window.showFrame(truth.Stations[1].videoFrame);
    window.addStationHere();
    window.showFrame(0);
    window.addStationHere();
    window.showFrame(truth.Stations[2].videoFrame);
    window.addStationHere();
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_EQ(table.item(0, 1)->text().toInt(), 0);  // kept in frame order
    table.item(0, 0)->setText("北");
    for (int row = 0; row < 3; ++row) table.item(row, 2)->setText(QString::number(row * 1.5));
    table.selectRow(2);
    window.removeSelectedStation();
    ASSERT_EQ(table.rowCount(), 2);

    tovra::test::TempDir dir;
    window.writeRoute(dir / "own.dat", true);
    const RouteSpec written = loadRouteSpec(dir / "own.dat", "");
    ASSERT_EQ(written.Stations.size(), 2u) << window.message().toStdString();
    EXPECT_EQ(written.Stations[0].name, "北");
    EXPECT_EQ(written.Stations[1].name, "駅1");
    EXPECT_EQ(written.Stations[1].videoFrame, truth.Stations[1].videoFrame);
    EXPECT_NEAR(double(*frame_to_position(written.SpeedUnits, written.Stations[1].videoFrame)),
                150000, 100);
    EXPECT_TRUE(window.message().contains("loads"));
    EXPECT_TRUE(window.canDrive());

    // A bad cell is a message, and the route written before stays whole.
    table.item(1, 1)->setText("x");
    window.writeRoute(dir / "own.dat", true);
    EXPECT_TRUE(window.message().contains("frame is not a number"))
        << window.message().toStdString();
    EXPECT_EQ(loadRouteSpec(dir / "own.dat", "").Stations.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir / "own.dat.partial"));
}

TEST(AuthorWindow, DrivesWithTheTovraBesideItElseOnThePath) {
    tovra::test::TempDir own, path, data;
    const auto program = [](const std::filesystem::path& folder) {
        const auto file = folder / "tovra";
        std::ofstream(file) << "#!/bin/sh\n";
        std::filesystem::permissions(file, std::filesystem::perms::owner_all);
        return QString::fromStdString(file.string());
    };
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", QByteArray::fromStdString(path.path().string()));
    const QString ownFolder = QString::fromStdString(own.path().string());
    EXPECT_FALSE(driveCommand(data.path(), data / "line.dat", ownFolder));
    const QString onPath = program(path.path());
    EXPECT_EQ(driveCommand(data.path(), data / "line.dat", ownFolder)->program, onPath);
    const QString beside = program(own.path());
    const auto command = driveCommand(data.path(), data / "line.dat", ownFolder);
    qputenv("PATH", oldPath);
    ASSERT_TRUE(command);
    EXPECT_EQ(command->program, beside);
    const QString dataDir = QString::fromStdString(data.path().string());
    EXPECT_EQ(command->arguments,
              QStringList({"--data", dataDir, "--route", dataDir + "/line.dat"}));
}

}  // namespace
}  // namespace tovra::author
