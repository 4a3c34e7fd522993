#include "demo-gen/PatternStrip.h"

#include "demo-gen/ImageFiles.h"

namespace tovra::demo {

Canvas patternStrip(int count, int w, int h, const std::function<void(Canvas&, int)>& draw) {
    Canvas strip(w, h * count);
    for (int n = 0; n < count; ++n) {
        Canvas one(w, h);
        draw(one, n);
        strip.draw(one, 0, n * h);
    }
    return strip;
}

void writeKeyedBmp(const std::filesystem::path& file, const Canvas& canvas, Colour fringe) {
    Canvas c = canvas;
    c.at(0, c.height() - 1) = {0, 0, 0, 0};
    writeBmp(file, c.toKeyed(kKey, fringe));
}

}  // namespace tovra::demo
