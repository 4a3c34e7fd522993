#pragma once

#include "common/Numeric.h"

namespace tovra {

// std::pow and std::log10 of long doubles, each result kept for arguments
// that come again (ExactResults, one table per thread): the ticks ask for
// the same powers and levels over and over while a handle or a speed holds.
Extended rememberedPow(Extended base, Extended exponent);
Extended rememberedLog10(Extended value);

}  // namespace tovra
