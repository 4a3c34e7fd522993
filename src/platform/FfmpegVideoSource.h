#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/FrameCache.h"
#include "platform/FrameDecoder.h"
#include "ports/VideoSource.h"

namespace tovra {

// The route video on FFmpeg. Every picture is decoded on a worker thread and
// kept in a cache bounded in memory; the caller never waits for it. While
// the caller shows frame n, the worker prepares the frames in the direction
// of travel: a few single frames ahead when running forward; when running
// backwards, the frames behind n in runs decoded from their key frame
// upwards, so that a group of pictures is decoded about once and then served
// in reverse, the previous group prepared before it is needed. A jump is
// served first, and ends any decoding on its way elsewhere at the next picture.
class FfmpegVideoSource : public VideoSource {
  public:
    static constexpr std::size_t kDefaultCacheBytes = std::size_t{256} << 20;

    // Without a decoder, FFmpeg's.
    explicit FfmpegVideoSource(std::size_t cacheBytes = kDefaultCacheBytes,
                               std::unique_ptr<FrameDecoder> decoder = nullptr);
    ~FfmpegVideoSource() override;
    FfmpegVideoSource(const FfmpegVideoSource&) = delete;
    FfmpegVideoSource& operator=(const FfmpegVideoSource&) = delete;

    bool open(const std::filesystem::path& file) override;
    void close() override;
    int frameCount() const override { return count_; }
    // Pictures per second of the open file.
    double frameRate() const { return rate_; }
    int fetch(int n, int have, std::shared_ptr<const Image>& out) override;

    // The size the pictures are shown at: the worker scales each picture to
    // it as it converts it, so that nothing larger is kept or drawn; 0 x 0
    // (the default): the file's own size. A change lets the cached pictures
    // go and decodes the frame asked for last again, calling onFrameReady
    // when it is there; a picture of the old size stays with its holder.
    // Lasts across open and close.
    void setPictureSize(int width, int height);

    // Waits until frame n is decoded; false outside the file or when it
    // cannot be decoded. For tools that want every exact frame.
    bool frame(int n, Image& out);
    // Whether frame n is decoded and waiting, so that fetch(n) gives it.
    bool prepared(int n) const;
    // The frames in the cache, in order.
    std::vector<int> cachedFrames() const;
    // Called on the worker thread when a frame that fetch could not give
    // has been decoded; must not block. Set before the first fetch.
    std::function<void()> onFrameReady;

  private:
    struct Job {
        int from = -1;  // decoded upwards to `to`, each one stored
        int to = -1;
    };
    static constexpr int kAheadForward = 6;
    // Running forward the cache keeps no more than the frames ahead, the one
    // on show and a few just passed (a short step back, a stop): the large
    // budget serves running backwards, and memory goes back when it ends.
    static constexpr int kForwardFrames = kAheadForward + 1 + 8;
    // A step longer than this is a jump and keeps the direction of travel.
    static constexpr int kLongestStep = 30;

    void work();
    Job nextJob() const;  // from < 0: nothing to do
    bool needed(int n) const;
    // Runs `job` unlocked frame by frame; stops early when the caller has
    // jumped away from it.
    void runJob(Job job, std::shared_ptr<Image>& scratch, std::unique_lock<std::mutex>& lock);
    void asked(int n);
    // Waits until the worker is idle, then keeps it so while the lock is held.
    void holdWorker(std::unique_lock<std::mutex>& lock);

    std::unique_ptr<FrameDecoder>
        decoder_;  // used by the worker, or by open/close while it is idle
    int count_ = 0;
    double rate_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable wake_;  // to the worker: a job or the end
    std::condition_variable done_;  // to the waiting callers: a frame finished
    FrameCache cache_;
    std::set<int> failed_;  // frames the decoder could not produce
    int wanted_ = -1;       // the frame last asked for
    int owed_ = -1;         // a frame fetch could not give: onFrameReady when it comes
    int direction_ = 1;
    bool jumped_ = false;  // the frame last asked for is a jump away from the one before
    bool busy_ = false;    // the worker runs a job
    Job job_;              // the one it runs
    // Tells the decoder to give up the picture it is on the way to; written
    // under the mutex, read without it.
    std::atomic<bool> abandon_ = false;
    int width_ = 0;  // the size asked of the decoder; 0: the file's
    int height_ = 0;
    bool holding_ = false;  // open or close waits for the decoder
    bool quit_ = false;
    std::thread worker_;
};

}  // namespace tovra
