// The windows need one application object for the whole test run, and no
// message box may wait for a click.
#include <gtest/gtest.h>

#include <QApplication>

#include "ShownMessages.h"
#include "app/MessageBox.h"

namespace tovra::test {

std::vector<QString>& shownMessages() {
    static std::vector<QString> messages;
    return messages;
}

}  // namespace tovra::test

int main(int argc, char** argv) {
    // No display and no sound card, even when listed by the build.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("ALSOFT_DRIVERS")) qputenv("ALSOFT_DRIVERS", "null");
    QApplication app(argc, argv);
    tovra::setMessageBoxHandler(
        [](const QString& text) { tovra::test::shownMessages().push_back(text); });
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
