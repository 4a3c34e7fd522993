#pragma once

#include "common/Numeric.h"

namespace tovra {

// The band at the bottom of the video area that holds the status texts: the
// lowest 8 % of its height, the full width.
struct TextBand {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static TextBand of(int width, int height) {
        return {0, height - static_cast<int>(roundHalfEven(height * 0.08L)), width, height};
    }
};

}  // namespace tovra
