#pragma once

namespace tovra {

// Run-time state of the diesel engine and gearbox.
struct DieselState {};

}  // namespace tovra
