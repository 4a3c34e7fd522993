#include "remote/RemoteServer.h"

#include <QFile>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QTcpServer>
#include <QUrlQuery>
#include <QWebSocket>
#include <algorithm>
#include <vector>

#include "remote/StateJson.h"

namespace tovra::remote {

namespace {

using Status = QHttpServerResponse::StatusCode;

// Snapshots waiting for the server thread beyond this are skipped: the
// ticks never wait for the server.
constexpr int kMaxPending = 64;

QHttpServerResponse jsonResponse(const QByteArray& json, Status status = Status::Ok) {
    QHttpServerResponse response("application/json", json, status);
    response.setHeader("Cache-Control", "no-store");
    return response;
}

QByteArray errorJson(const std::string& message) {
    // The message is plain text of our own: escape what JSON needs.
    std::string out = "{\"error\":\"";
    for (char c : message) {
        if (c == '"' || c == '\\') out += '\\';
        out += (c >= 0 && c < 0x20) ? ' ' : c;
    }
    out += "\"}";
    return QByteArray::fromStdString(out);
}

QHttpServerResponse refusal(Status status, const std::string& message) {
    return jsonResponse(errorJson(message), status);
}

QHttpServerResponse page(const char* resource, const char* type) {
    QFile file(QString(":/remote/") + resource);
    if (!file.open(QIODevice::ReadOnly)) return refusal(Status::NotFound, "no such page");
    QHttpServerResponse response(type, file.readAll());
    response.setHeader("Cache-Control", "no-store");
    response.setHeader("X-Content-Type-Options", "nosniff");
    return response;
}

}  // namespace

class RemoteServer::Worker {
  public:
    Worker(RemoteServer::Counters& counters, CommandSink sink, std::string token, bool loopback)
        : counters_(counters),
          sink_(std::move(sink)),
          token_(std::move(token)),
          loopback_(loopback),
          limiter_(kCommandsPerSecond) {}

    ~Worker() {
        for (auto& client : clients_) client->abort();
        counters_.clients = 0;
    }

    // The port bound, or 0.
    quint16 listen(const QHostAddress& address, quint16 port) {
        server_ = std::make_unique<QHttpServer>();
        route();
        QObject::connect(server_.get(), &QAbstractHttpServer::newWebSocketConnection, server_.get(),
                         [this] { acceptStreams(); });
        return server_->listen(address, port);
    }

    void publish(std::shared_ptr<const CabSnapshot> snapshot) {
        latest_ = std::move(snapshot);
        latestJson_.clear();
        if (clients_.empty() || !latest_) return;
        const QString message = QString::fromStdString(stateJson(*latest_));
        for (auto& client : clients_) {
            // A client that does not read cannot hold the others up, nor
            // the ticks: past its backlog it is let go.
            if (client->bytesToWrite() > kMaxBacklogBytes) {
                client->abort();
                ++counters_.clientsDropped;
                continue;
            }
            client->sendTextMessage(message);
            ++counters_.messagesSent;
        }
        dropClosed();
    }

    void clear() { latest_.reset(); }

  private:
    bool authorised(const QHttpServerRequest& request) const {
        const QByteArray header = request.value("Authorization");
        if (const auto bearer = bearerToken(std::string_view(header.constData(), header.size())))
            return tokenMatches(*bearer, token_);
        const QString given = request.query().queryItemValue("token", QUrl::FullyDecoded);
        return tokenMatches(given.toStdString(), token_);
    }

    // GET on loopback is open; on any other address it needs the token.
    std::optional<QHttpServerResponse> refusedRead(const QHttpServerRequest& request) {
        if (loopback_ || authorised(request)) return std::nullopt;
        ++counters_.refused;
        return refusal(Status::Unauthorized,
                       "token required: Authorization: Bearer TOKEN or ?token=");
    }

    QHttpServerResponse state(const QHttpServerRequest& request) {
        if (auto refused = refusedRead(request)) return std::move(*refused);
        if (!latest_) return refusal(Status::ServiceUnavailable, "no run in the cab");
        if (latestJson_.isEmpty()) latestJson_ = QByteArray::fromStdString(stateJson(*latest_));
        return jsonResponse(latestJson_);
    }

    QHttpServerResponse command(const QHttpServerRequest& request) {
        if (!authorised(request)) {
            ++counters_.refused;
            return refusal(Status::Unauthorized,
                           "commands need the token: Authorization: Bearer TOKEN or ?token=");
        }
        if (!limiter_.allow(request.remoteAddress().toString().toStdString(),
                            RateLimiter::Clock::now())) {
            ++counters_.refused;
            return refusal(Status::TooManyRequests, "more than 50 commands a second");
        }
        if (!latest_) {
            ++counters_.refused;
            return refusal(Status::ServiceUnavailable, "no run in the cab");
        }
        const QByteArray body = request.body();
        ParsedCommand parsed = parseCommand(
            std::string_view(body.constData(), std::size_t(body.size())), latest_->run->limits);
        if (!parsed.command) {
            ++counters_.refused;
            return refusal(Status::BadRequest, parsed.error);
        }
        parsed.command->sequence = ++sequence_;
        ++counters_.commands;
        sink_(std::move(*parsed.command));
        return jsonResponse(QByteArray("{\"ok\":true,\"command\":") +
                            QByteArray::number(qint64(sequence_)) + "}");
    }

    void route() {
        using Method = QHttpServerRequest::Method;
        const auto get = [this](const char* path, auto view) {
            server_->route(path, Method::Get, view);
        };
        get("/", [this](const QHttpServerRequest& r) {
            if (auto refused = refusedRead(r)) return std::move(*refused);
            return page("index.html", "text/html; charset=utf-8");
        });
        get("/remote", [this](const QHttpServerRequest& r) {
            if (auto refused = refusedRead(r)) return std::move(*refused);
            return page("remote.html", "text/html; charset=utf-8");
        });
        get("/tovra.js", [this](const QHttpServerRequest& r) {
            if (auto refused = refusedRead(r)) return std::move(*refused);
            return page("tovra.js", "text/javascript; charset=utf-8");
        });
        get("/tovra.css", [this](const QHttpServerRequest& r) {
            if (auto refused = refusedRead(r)) return std::move(*refused);
            return page("tovra.css", "text/css; charset=utf-8");
        });
        get("/api/state", [this](const QHttpServerRequest& r) { return state(r); });
        // Qt hands a socket to its WebSocket server only when a route takes
        // the upgrade request and writes nothing back; the stream's own
        // checks follow in acceptStreams.
        server_->route("/api/stream", Method::Get,
                       [this](const QHttpServerRequest& r, QHttpServerResponder&& responder) {
                           if (r.value("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0)
                               return;
                           ++counters_.refused;
                           responder.write(errorJson("the stream is a WebSocket"),
                                           "application/json",
                                           QHttpServerResponder::StatusCode::BadRequest);
                       });
        server_->route("/api/command", Method::Post,
                       [this](const QHttpServerRequest& r) { return command(r); });
        server_->setMissingHandler(
            [this](const QHttpServerRequest& request, QHttpServerResponder&& responder) {
                ++counters_.refused;
                const bool known =
                    request.url().path() == "/api/command" || request.url().path() == "/api/state";
                responder.write(errorJson(known ? "method not allowed here" : "not found"),
                                "application/json",
                                known ? QHttpServerResponder::StatusCode::MethodNotAllowed
                                      : QHttpServerResponder::StatusCode::NotFound);
            });
    }

    void acceptStreams() {
        while (server_->hasPendingWebSocketConnections()) {
            std::unique_ptr<QWebSocket> socket = server_->nextPendingWebSocketConnection();
            if (!socket) continue;
            const QUrl url = socket->requestUrl();
            const QString given = QUrlQuery(url).queryItemValue("token", QUrl::FullyDecoded);
            QString refused;
            if (url.path() != "/api/stream")
                refused = "no stream at " + url.path();
            else if (!loopback_ && !tokenMatches(given.toStdString(), token_))
                refused = "token required: ?token=";
            else if (int(clients_.size()) >= kMaxStreamClients)
                refused = "too many stream clients";
            if (!refused.isEmpty()) {
                ++counters_.refused;
                socket->close(QWebSocketProtocol::CloseCodePolicyViolated, refused);
                socket.release()->deleteLater();
                continue;
            }
            socket->setMaxAllowedIncomingMessageSize(kMaxBodyBytes);
            socket->setMaxAllowedIncomingFrameSize(kMaxBodyBytes);
            QWebSocket* raw = socket.get();
            QObject::connect(
                raw, &QWebSocket::disconnected, server_.get(), [this] { dropClosed(); },
                Qt::QueuedConnection);
            clients_.push_back(std::move(socket));
            counters_.clients = std::int64_t(clients_.size());
            // The newest state at once, so that a panel shows something while paused.
            if (latest_) {
                raw->sendTextMessage(QString::fromStdString(stateJson(*latest_)));
                ++counters_.messagesSent;
            }
        }
    }

    void dropClosed() {
        std::erase_if(clients_, [](const std::unique_ptr<QWebSocket>& c) {
            if (c->state() != QAbstractSocket::UnconnectedState && c->isValid()) return false;
            // Deleting inside its own signal is not allowed: later.
            c->disconnect();
            const_cast<std::unique_ptr<QWebSocket>&>(c).release()->deleteLater();
            return true;
        });
        counters_.clients = std::int64_t(clients_.size());
    }

    RemoteServer::Counters& counters_;
    CommandSink sink_;
    std::string token_;
    bool loopback_;
    RateLimiter limiter_;
    std::unique_ptr<QHttpServer> server_;
    std::vector<std::unique_ptr<QWebSocket>> clients_;
    std::shared_ptr<const CabSnapshot> latest_;
    QByteArray latestJson_;
    std::int64_t sequence_ = 0;
};

RemoteServer::RemoteServer(CommandSink sink) : sink_(std::move(sink)) {
    thread_.setObjectName("tovra-remote");
}

RemoteServer::~RemoteServer() {
    stop();
}

std::optional<std::string> RemoteServer::start(const ListenAddress& where,
                                               const std::string& token) {
    stop();
    QHostAddress address;
    if (!address.setAddress(QString::fromStdString(where.address)))
        return "not an IP address: " + where.address;
    if (!token.empty() && !validToken(token))
        return "a token is 8 to 128 letters, digits, '-', '.', '_' or '~'";
    token_ = token.empty() ? makeToken() : token;
    loopback_ = address.isLoopback();
    thread_.start();
    quint16 port = 0;
    context_ = new QObject;
    context_->moveToThread(&thread_);
    QMetaObject::invokeMethod(
        context_,
        [&] {
            worker_ = new Worker(counters_, sink_, token_, loopback_);
            port = worker_->listen(address, quint16(where.port));
            if (port == 0) {
                delete worker_;
                worker_ = nullptr;
            }
        },
        Qt::BlockingQueuedConnection);
    if (port == 0) {
        thread_.quit();
        thread_.wait();
        delete context_;
        context_ = nullptr;
        return "cannot listen on " + where.address + ":" + std::to_string(where.port);
    }
    const std::string host = address.protocol() == QAbstractSocket::IPv6Protocol
                                 ? "[" + where.address + "]"
                                 : where.address;
    url_ = "http://" + host + ":" + std::to_string(port) + "/";
    running_ = true;
    return std::nullopt;
}

void RemoteServer::stop() {
    if (!thread_.isRunning()) return;
    QMetaObject::invokeMethod(
        context_,
        [this] {
            delete worker_;
            worker_ = nullptr;
        },
        Qt::BlockingQueuedConnection);
    thread_.quit();
    thread_.wait();
    // The thread has ended: its object may go from here.
    delete context_;
    context_ = nullptr;
    running_ = false;
}

std::string RemoteServer::announcement() const {
    return "tovra: remote at " + url_ + " token " + token_;
}

std::string RemoteServer::remotePageUrl() const {
    return url_ + "remote?token=" + token_;
}

void RemoteServer::publish(std::shared_ptr<const CabSnapshot> snapshot) {
    if (!running_ || !worker_) return;
    ++counters_.snapshots;
    if (pending_ >= kMaxPending) return;
    ++pending_;
    Worker* worker = worker_;
    QMetaObject::invokeMethod(
        context_,
        [this, worker, snapshot = std::move(snapshot)]() mutable {
            --pending_;
            if (worker == worker_) worker->publish(std::move(snapshot));
        },
        Qt::QueuedConnection);
}

void RemoteServer::clearRun() {
    if (!running_ || !worker_) return;
    Worker* worker = worker_;
    QMetaObject::invokeMethod(
        context_,
        [this, worker] {
            if (worker == worker_) worker->clear();
        },
        Qt::QueuedConnection);
}

ServerStats RemoteServer::stats() const {
    ServerStats s;
    s.snapshots = counters_.snapshots;
    s.messagesSent = counters_.messagesSent;
    s.clientsDropped = counters_.clientsDropped;
    s.clients = counters_.clients;
    s.commands = counters_.commands;
    s.refused = counters_.refused;
    return s;
}

}  // namespace tovra::remote
