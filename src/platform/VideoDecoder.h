#pragma once

#include <cstdint>
#include <memory>

#include "platform/FrameDecoder.h"

namespace tovra {

// The filter of the one step that scales a width x height picture to
// outWidth x outHeight as it converts its colours, by its FFmpeg name:
// "area" to shrink, "bicubic" to enlarge, "bilinear" (no scaling, only the
// colours) at the same size.
const char* pictureScalingFilter(int width, int height, int outWidth, int outHeight);

// Which pictures of a width x height stream shown at outWidth x outHeight
// are decoded without the codec's loop filter, by FFmpeg's name for the
// skip_loop_filter setting: "default" (none) or "bidir" (the B-pictures).
const char* loopFilterSkipped(int width, int height, int outWidth, int outHeight);

// The video stream of one file, decoded by frame number on the calling
// thread. Frame n is the n-th picture in display order, counted from the
// stream's first timestamp at its frame rate, whatever unit the container
// keeps its timestamps in. Stepping forward decodes on; a jump or a step back
// seeks to the nearest earlier key frame and decodes forward from there.
class VideoDecoder : public FrameDecoder {
  public:
    VideoDecoder();
    ~VideoDecoder() override;
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // False when the file has no video stream that can be decoded.
    bool open(const std::filesystem::path& file) override;
    void close() override;
    int frameCount() const override;
    double frameRate() const override;
    int keyFrameAtOrBefore(int n) const override;
    // Frame n as 0xAARRGGBB pixels. A number missing from the stream (a
    // dropped frame) gives the picture before it. False outside the file or
    // when nothing decodable precedes n.
    bool decode(int n, Image& out) override;
    // Scales each picture to this size in the one step that turns it into
    // 0xAARRGGBB pixels; 0 x 0 (the default): the file's own size. Lasts
    // until changed, across open and close.
    void setPictureSize(int width, int height) override;
    // Pictures the codec has produced since open, shown or passed over.
    std::int64_t picturesDecoded() const;

  private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
    int width_ = 0;  // of the pictures handed out; 0: the file's
    int height_ = 0;
};

}  // namespace tovra
