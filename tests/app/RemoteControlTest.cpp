// The desktop side of the remote interface: the Controller menu's item, its
// dialog with the QR code, and a command reaching the cab window's own key
// handling on the user-interface thread.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTcpSocket>
#include <QThread>

#include "CabWindowFixture.h"
#include "app/QrImage.h"
#include "app/RemoteControl.h"
#include "app/RemoteDialog.h"

namespace tovra {
namespace {

class AppRemote : public test::CabWindowFixture {
  protected:
    void SetUp() override {
        RunChoice choice;
        choice.dataDir = test::quickDemo();
        choice.routeFile = "line_rapid_down.dat";
        window = std::make_unique<TForm1>(
            choice, store, makeOpenAlSoundDevice(), [](const std::string&) {},
            AuxiliaryWindows{valueDisplay, easyCab, &remote});
        ASSERT_TRUE(window->load());
    }
    void TearDown() override { window.reset(); }

    QMenu* controllerMenu() const {
        for (QAction* a : window->menus()->actions())
            if (a->menu() && a->menu()->objectName() == "Controller1") return a->menu();
        return nullptr;
    }

    RemoteControl remote;
};

// One POST by hand over loopback; the status code.
int post(int port, const std::string& body, const std::string& token) {
    QTcpSocket socket;
    socket.connectToHost("127.0.0.1", quint16(port));
    if (!socket.waitForConnected(5000)) return 0;
    const std::string request =
        "POST /api/command HTTP/1.1\r\nHost: 127.0.0.1\r\n"
        "Authorization: Bearer " +
        token +
        "\r\nContent-Type: "
        "application/json\r\nContent-Length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body;
    socket.write(request.data(), qint64(request.size()));
    QByteArray reply;
    QElapsedTimer timer;
    timer.start();
    while (!reply.contains("\r\n\r\n") && timer.elapsed() < 5000)
        if (socket.waitForReadyRead(100)) reply += socket.readAll();
    return reply.mid(9, 3).toInt();
}

TEST_F(AppRemote, TheLastControllerItemStartsItAndShowsTheQrCode) {
    QMenu* controller = controllerMenu();
    ASSERT_NE(controller, nullptr);
    QAction* last = controller->actions().back();
    EXPECT_EQ(last->objectName(), "remote1");
    EXPECT_TRUE(last->isEnabled());

    RemoteDialog dialog(remote, window.get());
    auto* toggle = dialog.findChild<QPushButton*>("remoteToggle");
    ASSERT_NE(toggle, nullptr);
    dialog.findChild<QSpinBox*>("remotePort")->setValue(0);
    toggle->click();
    ASSERT_TRUE(remote.running());
    EXPECT_TRUE(remote.server().loopback());
    const QString where = dialog.findChild<QLabel*>("remoteWhere")->text();
    EXPECT_TRUE(where.contains(QString::fromStdString(remote.server().token())));
    EXPECT_TRUE(where.contains("/remote?token="));
    EXPECT_FALSE(dialog.findChild<QLabel*>("remoteQr")->pixmap().isNull());
    toggle->click();
    EXPECT_FALSE(remote.running());
}

TEST_F(AppRemote, ACommandGoesInAsTheKeyDoes) {
    remote::ListenAddress where;
    ASSERT_EQ(remote.start(where, "app-test-token"), std::nullopt);
    const int port = QUrl(QString::fromStdString(remote.server().url())).port();
    const std::int32_t before = window->cab().state.BrakeHandle;
    EXPECT_EQ(post(port, R"({"key":"z"})", "app-test-token"), 200);
    EXPECT_EQ(post(port, R"({"key":"z"})", "wrong-token-000"), 401);
    // Applied on this thread once its events run.
    QElapsedTimer timer;
    timer.start();
    while (window->cab().state.BrakeHandle == before && timer.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(window->cab().state.BrakeHandle, before + 1);
    remote.stop();
}

TEST(AppQrImage, DrawsAQrCodeWithItsQuietZone) {
    const QImage image = qrImage("http://192.0.2.1:8428/remote?token=abcdefgh", 4);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), image.height());
    EXPECT_EQ(image.width() % 4, 0);
    EXPECT_EQ(image.pixel(0, 0), QColor(Qt::white).rgb());
    // The finder pattern's dark corner just inside the quiet zone.
    EXPECT_EQ(image.pixel(4 * 4, 4 * 4), QColor(Qt::black).rgb());
}

}  // namespace
}  // namespace tovra
