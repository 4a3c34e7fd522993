#pragma once

#include <cstdint>
#include <memory>

#include "platform/FrameDecoder.h"

namespace tovra {

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
    // Pictures the codec has produced since open, shown or passed over.
    std::int64_t picturesDecoded() const;

  private:
    struct Stream;
    std::unique_ptr<Stream> stream_;
};

}  // namespace tovra
