#include "common/RememberedMath.h"

#include <cmath>
#include <memory>

#include "common/ExactResults.h"

namespace tovra {

Extended rememberedPow(Extended base, Extended exponent) {
    // Room for the run of pressures of a brake's release, which comes again
    // at the next stop; on the heap, so that only the ticks' thread has one.
    thread_local const auto powers = std::make_unique<ExactResults<2, 4096>>();
    return powers->get({base, exponent}, [&] { return std::pow(base, exponent); });
}

Extended releaseSlowdown(Extended k, Extended pressure) {
    return 10.0L * rememberedPow(k, -pressure / 10.0L) + 1.0L;
}

}  // namespace tovra
