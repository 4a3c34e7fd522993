#pragma once

#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "remote/CabSnapshot.h"
#include "remote/RemoteAccess.h"
#include "remote/RemoteCommand.h"

namespace tovra::remote {

// Counters of a running server, readable from any thread.
struct ServerStats {
    std::int64_t snapshots = 0;       // published to the server
    std::int64_t messagesSent = 0;    // stream messages written to clients
    std::int64_t clientsDropped = 0;  // stream clients that fell too far behind
    std::int64_t clients = 0;         // stream clients now
    std::int64_t commands = 0;        // commands accepted
    std::int64_t refused = 0;         // requests refused (401, 400, 429, ...)
};

// The local HTTP and WebSocket server of the remote interface, on a thread
// of its own (Qt's HTTP server and WebSocket modules): GET / (panel page),
// GET /remote (touch controller), GET /api/state, the stream /api/stream and
// POST /api/command. The thread that runs the ticks publishes snapshots as
// values; commands go back to it through `sink`, called on the server's
// thread with a checked command, which the owner queues for the ticks' thread.
class RemoteServer {
  public:
    using CommandSink = std::function<void(RemoteCommand)>;
    // A stream client with more than this waiting to be written is dropped.
    static constexpr std::int64_t kMaxBacklogBytes = 512 * 1024;
    static constexpr int kMaxStreamClients = 64;
    static constexpr int kCommandsPerSecond = 50;

    explicit RemoteServer(CommandSink sink);
    ~RemoteServer();
    RemoteServer(const RemoteServer&) = delete;
    RemoteServer& operator=(const RemoteServer&) = delete;

    // Listens on `where` with `token` (a fresh one when empty); the reason
    // when it cannot. Returns once the server listens.
    std::optional<std::string> start(const ListenAddress& where, const std::string& token = {});
    void stop();
    bool running() const { return running_; }

    // "http://ADDR:PORT/" with the port actually bound.
    const std::string& url() const { return url_; }
    const std::string& token() const { return token_; }
    bool loopback() const { return loopback_; }
    // The line tovra prints on stdout: "tovra: remote at URL token TOKEN".
    std::string announcement() const;
    // The touch controller's address with the token, for the QR code.
    std::string remotePageUrl() const;

    // From the ticks' thread: the state after a tick, sent to every stream
    // client and kept for GET /api/state.
    void publish(std::shared_ptr<const CabSnapshot> snapshot);
    // The run has ended: no state until the next one is published.
    void clearRun();

    ServerStats stats() const;

  private:
    class Worker;
    struct Counters {
        std::atomic<std::int64_t> snapshots{0}, messagesSent{0}, clientsDropped{0}, clients{0},
            commands{0}, refused{0};
    };
    CommandSink sink_;
    Counters counters_;
    QThread thread_;
    QObject* context_ = nullptr;  // lives on thread_: where calls to the worker go
    Worker* worker_ = nullptr;    // made and used on thread_
    bool running_ = false;
    bool loopback_ = true;
    std::string url_, token_;
    std::atomic<int> pending_{0};  // snapshots on their way to the server thread
};

}  // namespace tovra::remote
