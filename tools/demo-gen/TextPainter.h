#pragma once

#include <string_view>
#include <vector>

#include "demo-gen/Canvas.h"

namespace tovra::demo {

// Coverage of one line of text, `height` rows from the font's ascender down.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> coverage;
};

enum class Align { Left, Centre, Right };

// Lettering of the pictures with a Japanese sans-serif found through
// fontconfig. Without FreeType (or without a font) every text is empty, and
// pictures are drawn without lettering.
TextMask renderText(std::string_view utf8, double pixelSize, bool bold = false);

// Draws one line whose top is `top`; x is the left edge, the centre or the
// right edge by `align`. Returns the width drawn.
int drawText(Canvas& canvas, std::string_view utf8, double x, double top, double pixelSize,
             Colour colour, Align align = Align::Left, bool bold = false);

// The largest pixel size up to `pixelSize` at which the text fits in `width`.
double fitText(std::string_view utf8, double pixelSize, double width, bool bold = false);

}  // namespace tovra::demo
