#include "SimRemote.h"

#include <QCoreApplication>
#include <iostream>
#include <stdexcept>

#include "remote/RemoteServer.h"

namespace tovra::sim {

namespace {

class SimRemote : public RemoteEndpoint {
  public:
    explicit SimRemote(std::function<void(remote::RemoteCommand)> sink) : server(std::move(sink)) {}
    void publish(std::shared_ptr<const remote::CabSnapshot> snapshot) override {
        server.publish(std::move(snapshot));
    }
    std::string statsText() const override {
        const remote::ServerStats s = server.stats();
        return "stream: " + std::to_string(s.clients) + " clients, " +
               std::to_string(s.messagesSent) + " messages sent, " +
               std::to_string(s.clientsDropped) + " dropped, " + std::to_string(s.commands) +
               " commands, " + std::to_string(s.refused) + " refused";
    }
    remote::RemoteServer server;
};

}  // namespace

std::unique_ptr<RemoteEndpoint> startSimRemote(const std::string& listen, const std::string& token,
                                               std::function<void(remote::RemoteCommand)> sink) {
    // Qt's threads and sockets want an application object; the ticks run on
    // this thread without its event loop.
    static int argc = 1;
    static char name[] = "tovra-sim";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    remote::ListenAddress where;
    try {
        where = remote::parseListenAddress(listen);
    } catch (const std::invalid_argument& error) {
        throw std::invalid_argument("--remote: " + std::string(error.what()));
    }
    auto endpoint = std::make_unique<SimRemote>(std::move(sink));
    if (const auto error = endpoint->server.start(where, token))
        throw std::invalid_argument("--remote: " + *error);
    std::cout << endpoint->server.announcement() << std::endl;
    return endpoint;
}

}  // namespace tovra::sim
