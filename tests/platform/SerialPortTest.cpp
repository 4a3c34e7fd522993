#include "platform/SerialPort.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cab/Cab.h"
#include "input/ExternalControllerState.h"
#include "cab/SerialInput.h"
#include "platform/FfmpegVideoSource.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/PictureFileDecoder.h"
#include "platform/QtSettingsStore.h"
#include "ports/Host.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

// Records the characters the serial controller posts and the messages shown.
struct PostingHost : Host {
    void showMessage(const std::string& text) override { messages.push_back(text); }
    void setProgressText(const std::string&) override {}
    void setCaption(const std::string&) override {}
    void setPhysicsTimerRunning(bool) override {}
    void setLogicTimerRunning(bool) override {}
    void postCharacter(char c) override { posted.push_back(c); }
    bool isKeyHeld(HeldKey) const override { return false; }
    void toggleValueDisplay() override {}
    void moveCabSurface(int) override {}
    std::string posted;
    std::vector<std::string> messages;
};

// A pseudo-terminal: the test writes to the master side, the port opens the
// slave side by its name, as it would a serial device.
struct PseudoTerminal {
    PseudoTerminal() {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0) {
            const char* name = ptsname(master);
            if (name) slaveName = name;
        }
    }
    ~PseudoTerminal() {
        if (master >= 0) ::close(master);
    }
    bool send(const std::string& bytes) const {
        return ::write(master, bytes.data(), bytes.size()) == ssize_t(bytes.size());
    }
    int master = -1;
    std::string slaveName;
};

// Runs the event loop until `done` or a generous time-out; only a failure waits that long.
bool runUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

struct SerialPortTest : ::testing::Test {
    SerialPortTest() {
        if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);
    }
    int argc = 1;
    char name[16] = "tovra_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
};

TEST_F(SerialPortTest, AMessageSplitOverTwoChunksActsOnce) {
    test::TempDir dir;
    PostingHost host;
    OpenAlSoundDevice sound;
    FfmpegVideoSource video;
    PictureFileDecoder pictures;
    QtSettingsStore store(dir.path());
    Cab cab(CabPorts{host, sound, video, pictures, store}, RunChoice{}, 1);
    cab.mascon.entries.assign(23, "-----");
    cab.mascon.entries[19] = "ATS01";  // the protection's acknowledge button: a space
    cab.start1Click();                 // a paused cab takes no messages
    ExternalControllerState& controllers = cab.external;

    std::vector<std::string> chunks;
    SerialPort port(
        [&](std::string_view chunk) {
            chunks.emplace_back(chunk);
            RxChar(cab, chunk);
        },
        [&] { COMClosed(cab); });
    PseudoTerminal pty;
    ASSERT_FALSE(pty.slaveName.empty());
    SerialSettings settings;
    settings.portName = pty.slaveName;
    const auto failure = port.open(settings);
    ASSERT_FALSE(failure) << *failure;
    EXPECT_TRUE(port.isOpen());

    ASSERT_TRUE(pty.send("AT"));
    ASSERT_TRUE(runUntil([&] { return !chunks.empty(); }));
    EXPECT_EQ(host.posted, "");
    ASSERT_TRUE(pty.send("S01\r"));
    ASSERT_TRUE(runUntil([&] { return !host.posted.empty(); }));
    EXPECT_EQ(chunks.size(), 2u);
    EXPECT_EQ(host.posted, " ");
    EXPECT_EQ(controllers.serialCaption, "ATS01");

    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST_F(SerialPortTest, AMissingPortIsReportedAndPortsAreListed) {
    SerialPort port([](std::string_view) {}, [] {});
    SerialSettings settings;
    settings.portName = "tovra-no-such-port";
    const auto failure = port.open(settings);
    ASSERT_TRUE(failure);
    EXPECT_FALSE(failure->empty());
    EXPECT_FALSE(port.isOpen());

    const auto ports = SerialPort::availablePorts();
    EXPECT_EQ(SerialPort::defaultPortName(), ports.empty() ? std::string() : ports.front());
}

}  // namespace
}  // namespace tovra
