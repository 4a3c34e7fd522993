#include "app/RemoteControl.h"

#include <iostream>

#include "app/CabWindow.h"
#include "remote/CommandKeys.h"

namespace tovra {

RemoteControl::RemoteControl()
    : server_([this](remote::RemoteCommand command) {
          // From the server's thread to this one, between the ticks.
          QMetaObject::invokeMethod(
              this, [this, command = std::move(command)] { apply(command); }, Qt::QueuedConnection);
      }) {}

RemoteControl::~RemoteControl() {
    server_.stop();
}

std::optional<std::string> RemoteControl::start(const remote::ListenAddress& where,
                                                const std::string& token) {
    last_ = where;
    commandsApplied_ = 0;  // the server counts its commands from 1 again
    if (auto error = server_.start(where, token)) return error;
    std::cout << server_.announcement() << std::endl;
    publish();
    return std::nullopt;
}

void RemoteControl::stop() {
    server_.stop();
}

void RemoteControl::attach(TForm1& cab) {
    cab_ = &cab;
    snapshots_.emplace(cab.cab());
    ticks_ = 0;
    publish();
}

void RemoteControl::detach(TForm1& cab) {
    if (cab_ != &cab) return;
    cab_ = nullptr;
    snapshots_.reset();
    server_.clearRun();
}

void RemoteControl::publish() {
    if (!cab_ || !server_.running()) return;
    ticks_ = cab_->physicsTicks();
    server_.publish(snapshots_->take(cab_->cab(), ticks_, commandsApplied_));
}

void RemoteControl::apply(const remote::RemoteCommand& command) {
    if (!cab_) return;
    remote::applyCommand(command, *cab_, cab_->cab());
    commandsApplied_ = command.sequence;
    publish();
}

}  // namespace tovra
