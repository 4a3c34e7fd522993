#pragma once

#include "Commands.h"

namespace tovra::sim {

// The remote interface's server for `run --remote` (Qt's HTTP server on its
// own thread); prints "tovra: remote at URL token TOKEN" on stdout.
std::unique_ptr<RemoteEndpoint> startSimRemote(const std::string& listen, const std::string& token,
                                               std::function<void(remote::RemoteCommand)> sink);

}  // namespace tovra::sim
