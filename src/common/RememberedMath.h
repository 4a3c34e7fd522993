#pragma once

#include "common/Numeric.h"

namespace tovra {

// std::pow of long doubles, each result kept for arguments that come again
// (ExactResults, one table per thread): the ticks ask for the same powers
// over and over while a notch and a speed hold.
Extended rememberedPow(Extended base, Extended exponent);

}  // namespace tovra
