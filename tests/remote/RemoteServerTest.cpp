// The server over loopback: its pages and state, the token, the refusals,
// the rate limit, the stream, and a command that reaches the cab through
// the keyboard's path.
#include "remote/RemoteServer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <QWebSocket>
#include <mutex>
#include <nlohmann/json.hpp>
#include <sstream>

#include "ScriptPlayer.h"
#include "Trace.h"
#include "cab/KeyInput.h"
#include "headless/HeadlessRun.h"
#include "remote/CommandKeys.h"
#include "support/QuickDemo.h"

namespace tovra::remote {
namespace {

using Json = nlohmann::json;
constexpr const char* kToken = "test-token-12345";

struct Reply {
    int status = 0;
    QByteArray body;
    std::string error() const { return Json::parse(body.toStdString()).value("error", ""); }
};

// Waits on Qt's event loop until `done` holds, at most `ms`.
template <typename Done>
bool waitFor(Done done, int ms = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return done();
}

class RemoteServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        RunChoice choice;
        choice.dataDir = test::quickDemo();
        choice.routeFile = "line_rapid_down.dat";
        run_ = std::make_unique<HeadlessRun>(choice, 3);
        run_->cab.load();
        run_->scheduler.runFor(1);
        taker_.emplace(run_->cab);
        server_ = std::make_unique<RemoteServer>([this](RemoteCommand c) {
            const std::lock_guard lock(mutex_);
            received_.push_back(std::move(c));
        });
    }
    void TearDown() override { server_.reset(); }

    void start(const std::string& address = "127.0.0.1") {
        ListenAddress where;
        where.address = address;
        ASSERT_EQ(server_->start(where, kToken), std::nullopt);
        port_ = QUrl(QString::fromStdString(server_->url())).port();
        publish();
    }
    void publish(std::int64_t tick = 1) { server_->publish(taker_->take(run_->cab, tick, 0)); }
    // The commands the server passed on, taken.
    std::vector<RemoteCommand> received() {
        const std::lock_guard lock(mutex_);
        return std::exchange(received_, {});
    }

    Reply request(const QByteArray& method, const QString& path, const QByteArray& body = {},
                  const QByteArray& authorization = {}) {
        QNetworkRequest r(QUrl(QString("http://127.0.0.1:%1%2").arg(port_).arg(path)));
        r.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        if (!authorization.isEmpty()) r.setRawHeader("Authorization", authorization);
        QNetworkReply* reply = network_.sendCustomRequest(r, method, body);
        waitFor([&] { return reply->isFinished(); });
        Reply out{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(),
                  reply->readAll()};
        reply->deleteLater();
        return out;
    }
    Reply post(const QByteArray& body,
               const QByteArray& authorization = QByteArray("Bearer ") + kToken) {
        return request("POST", "/api/command", body, authorization);
    }

    std::unique_ptr<HeadlessRun> run_;
    std::optional<SnapshotTaker> taker_;
    std::unique_ptr<RemoteServer> server_;
    QNetworkAccessManager network_;
    int port_ = 0;
    std::mutex mutex_;
    std::vector<RemoteCommand> received_;
};

TEST_F(RemoteServerTest, ServesThePagesAndTheState) {
    start();
    EXPECT_EQ(server_->announcement(), "tovra: remote at " + server_->url() + " token " + kToken);
    EXPECT_EQ(server_->url().rfind("http://127.0.0.1:", 0), 0u);
    const Reply state = request("GET", "/api/state");
    ASSERT_EQ(state.status, 200);
    const Json s = Json::parse(state.body.toStdString());
    EXPECT_EQ(s["tick"], 1);
    EXPECT_EQ(s["route"], "line_rapid_down.dat");
    EXPECT_EQ(s["brake"]["handle"], -run_->cab.state.BrakeHandle);
    const Reply panel = request("GET", "/");
    EXPECT_EQ(panel.status, 200);
    EXPECT_TRUE(panel.body.contains("<svg"));
    const Reply touch = request("GET", "/remote?token=x");
    EXPECT_EQ(touch.status, 200);
    EXPECT_TRUE(touch.body.contains("id=\"horn\""));
    EXPECT_EQ(request("GET", "/tovra.js").status, 200);
    EXPECT_EQ(request("GET", "/nothing").status, 404);
    EXPECT_EQ(request("GET", "/api/command").status, 405);
    server_->clearRun();
    EXPECT_TRUE(waitFor([&] { return request("GET", "/api/state").status == 503; }));
}

TEST_F(RemoteServerTest, RefusesEachBadInputAndDoesNothing) {
    start();
    const TrainState before = run_->cab.state;
    struct Case {
        QByteArray body, authorization;
        int status;
        std::string error;
    };
    const QByteArray bearer = QByteArray("Bearer ") + kToken;
    const std::vector<Case> cases = {
        {R"({"key":"z"})", "", 401,
         "commands need the token: Authorization: Bearer TOKEN or ?token="},
        {R"({"key":"z"})", "Bearer wrong-token-00000", 401, ""},
        {R"({"key":"z"})", QByteArray("Basic ") + kToken, 401, ""},
        {QByteArray(5000, ' '), bearer, 400, "body over 4096 bytes"},
        {R"({"key":)", bearer, 400, "malformed JSON"},
        {R"({"fly":true})", bearer, 400,
         "unknown command \"fly\" (known: key, keys, handles, button)"},
        {R"({"key":true})", bearer, 400, "key must be a string"},
        {R"({"handles":{"power":99}})", bearer, 400, "handles.power out of range 0..8"},
        {R"({"button":"horn","down":1})", bearer, 400, "down must be true or false"},
    };
    for (const Case& c : cases) {
        const Reply reply = post(c.body, c.authorization);
        EXPECT_EQ(reply.status, c.status) << c.body.left(40).toStdString();
        if (!c.error.empty()) {
            EXPECT_EQ(reply.error(), c.error);
        }
        EXPECT_FALSE(reply.error().empty());
    }
    EXPECT_TRUE(received().empty());
    EXPECT_EQ(run_->cab.state.BrakeHandle, before.BrakeHandle);
    EXPECT_EQ(run_->cab.state.Reverser, before.Reverser);
    EXPECT_EQ(server_->stats().commands, 0);
    // The page's ?token= is as good as the header.
    EXPECT_EQ(request("POST", QString("/api/command?token=") + kToken, R"({"key":"f"})").status,
              200);
    EXPECT_EQ(received().size(), 1u);
}

TEST_F(RemoteServerTest, ACommandMovesTheHandleExactlyAsTheKey) {
    start();
    RunChoice choice;
    choice.dataDir = test::quickDemo();
    choice.routeFile = "line_rapid_down.dat";
    HeadlessRun twin(choice, 3);
    twin.cab.load();
    twin.scheduler.runFor(1);

    ASSERT_EQ(post(R"({"keys":"fz"})").status, 200);
    std::vector<RemoteCommand> commands;
    ASSERT_TRUE(waitFor([&] {
        for (RemoteCommand& c : received()) commands.push_back(std::move(c));
        return !commands.empty();
    }));
    // Applied on this thread, the one that runs the ticks.
    sim::ScriptKeys keys(*run_);
    for (const RemoteCommand& c : commands) applyCommand(c, keys, run_->cab);
    AsciiDown(twin.cab, 'f');
    AsciiDown(twin.cab, 'z');
    EXPECT_EQ(run_->cab.state.BrakeHandle, twin.cab.state.BrakeHandle);
    EXPECT_EQ(run_->cab.state.Reverser, 1);
    for (int i = 0; i < 90; ++i) {
        run_->scheduler.step();
        twin.scheduler.step();
    }
    std::ostringstream a, b;
    sim::Trace(a, true).writeRow(0, run_->cab);
    sim::Trace(b, true).writeRow(0, twin.cab);
    EXPECT_EQ(a.str(), b.str());
}

TEST_F(RemoteServerTest, AtMostFiftyCommandsASecond) {
    start();
    // A burst of 80 at once.
    QElapsedTimer timer;
    timer.start();
    std::vector<QNetworkReply*> replies;
    for (int i = 0; i < 80; ++i) {
        QNetworkRequest r(QUrl(QString("http://127.0.0.1:%1/api/command").arg(port_)));
        r.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
        r.setRawHeader("Authorization", QByteArray("Bearer ") + kToken);
        replies.push_back(network_.post(r, QByteArray(R"({"key":"n"})")));
    }
    ASSERT_TRUE(waitFor(
        [&] {
            return std::all_of(replies.begin(), replies.end(),
                               [](QNetworkReply* r) { return r->isFinished(); });
        },
        30000));
    const double seconds = double(timer.elapsed()) / 1000;
    int accepted = 0, limited = 0;
    for (QNetworkReply* r : replies) {
        const int status = r->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        accepted += status == 200;
        limited += status == 429;
        r->deleteLater();
    }
    EXPECT_EQ(accepted + limited, 80);
    // The bucket holds 50 and refills at 50 a second.
    EXPECT_LE(accepted, 50 + int(seconds * 50) + 1);
    if (seconds < 0.5) EXPECT_GT(limited, 0);
    EXPECT_EQ(int(received().size()), accepted);
}

TEST_F(RemoteServerTest, AnotherAddressThanLoopbackWantsTheTokenEverywhere) {
    start("0.0.0.0");
    EXPECT_FALSE(server_->loopback());
    EXPECT_EQ(request("GET", "/api/state").status, 401);
    EXPECT_EQ(request("GET", "/").status, 401);
    EXPECT_EQ(request("GET", "/api/state", {}, QByteArray("Bearer ") + kToken).status, 200);
    EXPECT_EQ(request("GET", QString("/remote?token=") + kToken).status, 200);
    QWebSocket bare;
    bool closed = false;
    QObject::connect(&bare, &QWebSocket::disconnected, [&] { closed = true; });
    bare.open(QUrl(QString("ws://127.0.0.1:%1/api/stream").arg(port_)));
    EXPECT_TRUE(waitFor([&] { return closed; }));
}

TEST_F(RemoteServerTest, StreamsEveryTickInOrder) {
    start();
    QWebSocket client;
    std::vector<std::int64_t> ticks;
    QObject::connect(&client, &QWebSocket::textMessageReceived, [&](const QString& message) {
        ticks.push_back(Json::parse(message.toStdString())["tick"].get<std::int64_t>());
    });
    client.open(QUrl(QString("ws://127.0.0.1:%1/api/stream").arg(port_)));
    ASSERT_TRUE(waitFor([&] { return !ticks.empty(); }));  // the newest state on connecting
    // Ten times the ticks' pace.
    for (int tick = 2; tick <= 301; ++tick) {
        run_->scheduler.step();
        publish(tick);
        QCoreApplication::processEvents();
        QThread::usleep(3300);
    }
    ASSERT_TRUE(waitFor([&] { return ticks.size() >= 301; })) << ticks.size() << " messages";
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_EQ(ticks[i], std::int64_t(i + 1));
    EXPECT_EQ(server_->stats().clients, 1);
    EXPECT_EQ(server_->stats().clientsDropped, 0);

    QWebSocket wrong;
    bool closed = false;
    QObject::connect(&wrong, &QWebSocket::disconnected, [&] { closed = true; });
    wrong.open(QUrl(QString("ws://127.0.0.1:%1/api/other").arg(port_)));
    EXPECT_TRUE(waitFor([&] { return closed; }));
}

TEST_F(RemoteServerTest, AClientThatDoesNotReadIsDropped) {
    start();
    // A WebSocket handshake by hand, then never a byte read.
    QTcpSocket lazy;
    lazy.setReadBufferSize(1);
    lazy.connectToHost("127.0.0.1", quint16(port_));
    ASSERT_TRUE(lazy.waitForConnected(5000));
    lazy.write(
        "GET /api/stream HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n"
        "Connection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
        "Sec-WebSocket-Version: 13\r\n\r\n");
    ASSERT_TRUE(lazy.waitForBytesWritten(5000));
    ASSERT_TRUE(waitFor([&] { return server_->stats().clients == 1; }));
    QElapsedTimer timer;
    timer.start();
    std::int64_t tick = 2;
    while (server_->stats().clientsDropped == 0 && timer.elapsed() < 60000) {
        publish(tick++);
        if (tick % 32 == 0) QThread::msleep(1);
    }
    EXPECT_EQ(server_->stats().clientsDropped, 1) << tick << " snapshots published";
    EXPECT_TRUE(waitFor([&] { return server_->stats().clients == 0; }));
}

}  // namespace
}  // namespace tovra::remote
