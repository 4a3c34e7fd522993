#pragma once

#include <filesystem>
#include <functional>

#include "demo-gen/Canvas.h"

namespace tovra::demo {

// The colour that stands for "transparent" in the demo's pictures: the
// loaders take it from each picture's bottom-left pixel.
inline const Colour kKey = rgb(255, 0, 255);

// A picture of `count` patterns of w x h, one below the other, so that
// pattern n is pattern n whichever way a reader counts them. `draw` paints
// pattern n on a canvas of one pattern; untouched pixels stay transparent.
Canvas patternStrip(int count, int w, int h, const std::function<void(Canvas&, int)>& draw);

// Writes a canvas as BMP with its transparent pixels in the key colour; the
// bottom-left pixel is made transparent too, so that it names the key.
void writeKeyedBmp(const std::filesystem::path& file, const Canvas& canvas, Colour fringe);

}  // namespace tovra::demo
