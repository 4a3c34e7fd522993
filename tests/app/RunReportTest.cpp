// The run report from the cab window: the menu item, the report left on
// closing, and the page as a real browser draws it.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QUrl>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <regex>

#include "CabWindowFixture.h"

namespace tovra {
namespace {

namespace fs = std::filesystem;

constexpr const char* kChromium = "/usr/bin/chromium";

class AppRunReport : public test::CabWindowFixture {
  protected:
    void SetUp() override {
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.path().string()));
        CabWindowFixture::SetUp();
    }
    void TearDown() override { qunsetenv("XDG_DATA_HOME"); }

    // `seconds` of running at 100 km/h, held there as the speed testing aid would.
    void drive(int seconds) {
        for (int period = 1; period <= seconds * 30; ++period) {
            window->physicsTick();
            if (period % 3 != 0) continue;
            window->cab().state.Speed = 100;
            window->logicTick();
        }
    }
    QAction* reportItem() const {
        for (QAction* a : window->menus()->actions()[2]->menu()->actions())
            if (a->text() == "運転記録…") return a;
        return nullptr;
    }
    std::vector<fs::path> reports() const {
        std::vector<fs::path> out;
        std::error_code ignored;
        for (const auto& e : fs::directory_iterator(data / "tovra" / "runs", ignored))
            if (e.path().extension() == ".html") out.push_back(e.path());
        return out;
    }

    test::TempDir data;
};

std::string readText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Parses the page as XML; counts the curves of its first chart.
int speedCurvesOfWellFormedPage(const fs::path& file) {
    QXmlStreamReader xml(QByteArray::fromStdString(readText(file)));
    int svgs = 0, curves = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"svg") ++svgs;
        if (svgs == 1 && xml.name() == u"path" && xml.attributes().value("class") == u"leg")
            ++curves;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line "
                                 << xml.lineNumber();
    EXPECT_EQ(svgs, 2);
    return curves;
}

TEST_F(AppRunReport, ClosingAfterFiveHundredMetresLeavesTheReport) {
    drive(20);  // 555 m
    window->close();
    const auto files = reports();
    ASSERT_EQ(files.size(), 1u);
    const std::string name = files[0].filename().string();
    EXPECT_TRUE(std::regex_match(
        name, std::regex(R"(\d{4}-\d\d-\d\d_\d{6}_line_rapid_down_train_E231\.html)")))
        << name;
    EXPECT_TRUE(fs::exists(fs::path(files[0]).replace_extension(".csv")));
    EXPECT_EQ(speedCurvesOfWellFormedPage(files[0]), 1);
}

TEST_F(AppRunReport, MenuWritesAndOpensTheReportThatTheBrowserDraws) {
    QUrl opened;
    window->openReport = [&](const QUrl& url) { opened = url; };
    drive(10);
    ASSERT_TRUE(reportItem());
    reportItem()->trigger();
    auto files = reports();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(opened, QUrl::fromLocalFile(QString::fromStdString(files[0].string())));
    const std::string written = readText(files[0]);
    // Closing after 278 m keeps the report as the menu wrote it.
    window->close();
    files = reports();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(readText(files[0]), written);

    if (!fs::exists(kChromium)) GTEST_SKIP() << kChromium << " is not installed";
    const fs::path shot = data / "report.png";
    QProcess browser;
    browser.start(
        kChromium,
        {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--user-data-dir=" + QString::fromStdString((data / "profile").string()),
         "--screenshot=" + QString::fromStdString(shot.string()), "--window-size=1100,1200",
         opened.toString()});
    ASSERT_TRUE(browser.waitForFinished(120000));
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull()) << browser.readAllStandardError().toStdString();
    // The speed curve's blue, drawn across the chart.
    int blue = 0, minX = image.width(), maxX = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (std::abs(qRed(c) - 0x1f) + std::abs(qGreen(c) - 0x5f) + std::abs(qBlue(c) - 0xbf) >
                40)
                continue;
            ++blue;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
        }
    EXPECT_GT(blue, 1000);
    EXPECT_GT(maxX - minX, 800);
}

}  // namespace
}  // namespace tovra
