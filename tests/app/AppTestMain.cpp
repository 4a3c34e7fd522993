// The windows need one application object for the whole test run, and no
// message box may wait for a click.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "ShownMessages.h"
#include "app/MessageBox.h"

namespace tovra::test {

std::vector<QString>& shownMessages() {
    static std::vector<QString> messages;
    return messages;
}

}  // namespace tovra::test

int main(int argc, char** argv) {
    // No display and no sound card, even when listed by the build. The
    // offscreen screen is a desktop's, 1920 x 1200, so that the cab window
    // opens at its default size and full screen means that size.
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QTemporaryDir screens;
    if (platform.isEmpty() || platform == "offscreen") {
        const QString config = screens.filePath("screens.json");
        QFile file(config);
        if (file.open(QIODevice::WriteOnly)) {
            // TOVRA_TEST_PIXEL_RATIO makes it a high-density screen.
            const QByteArray ratio = qEnvironmentVariableIsSet("TOVRA_TEST_PIXEL_RATIO")
                                         ? qgetenv("TOVRA_TEST_PIXEL_RATIO")
                                         : QByteArray("1");
            file.write(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1920,)"
                       R"( "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" +
                       ratio + "}]}");
            file.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toUtf8());
        }
    }
    if (!qEnvironmentVariableIsSet("ALSOFT_DRIVERS")) qputenv("ALSOFT_DRIVERS", "null");
    // Qt picks the windows' default font by the desktop's language; the
    // reference pictures were drawn under the C locale, whatever the caller's.
    qputenv("LC_ALL", "C.UTF-8");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    tovra::setMessageBoxHandler(
        [](const QString& text) { tovra::test::shownMessages().push_back(text); });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
