#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>

#include "remote/CabSnapshot.h"
#include "remote/RemoteServer.h"

namespace tovra {

class TForm1;

// The program's remote interface (`--remote`, the Controller menu's item):
// one server for the program's life, attached to the cab window being
// driven. The cab window publishes its state after its ticks; commands come
// back to this object on the user-interface thread, the one that runs the
// ticks, and go in through the cab window's own key handling.
class RemoteControl : public QObject {
  public:
    RemoteControl();
    ~RemoteControl() override;

    // Starts (or restarts) the server; the reason when it cannot. Prints
    // the "tovra: remote at ..." line on stdout.
    std::optional<std::string> start(const remote::ListenAddress& where,
                                     const std::string& token = {});
    void stop();
    bool running() const { return server_.running(); }
    const remote::RemoteServer& server() const { return server_; }
    // Where it listened last, for the dialog to offer again.
    const remote::ListenAddress& lastAddress() const { return last_; }

    // The cab window whose run the interface shows and drives; detach when
    // it closes.
    void attach(TForm1& cab);
    void detach(TForm1& cab);
    // After a physics tick (or a logic tick while the physics timer stands,
    // a pause, a command): the state to the server.
    void publish();

  private:
    void apply(const remote::RemoteCommand& command);

    remote::RemoteServer server_;
    remote::ListenAddress last_;
    TForm1* cab_ = nullptr;
    std::optional<remote::SnapshotTaker> snapshots_;
    std::int64_t ticks_ = 0;
    std::int64_t commandsApplied_ = 0;
};

}  // namespace tovra
