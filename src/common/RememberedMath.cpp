#include "common/RememberedMath.h"

#include <cmath>

#include "common/ExactResults.h"

namespace tovra {

Extended rememberedPow(Extended base, Extended exponent) {
    thread_local ExactResults<2> powers;
    return powers.get({base, exponent}, [&] { return std::pow(base, exponent); });
}

Extended releaseSlowdown(Extended k, Extended pressure) {
    return 10.0L * rememberedPow(k, -pressure / 10.0L) + 1.0L;
}

}  // namespace tovra
