#pragma once

#include <array>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "platform/VideoDecoder.h"
#include "ports/VideoSource.h"

namespace tovra {

// The route video on FFmpeg. Every picture is decoded on a worker thread;
// while the caller shows frame n, the worker prepares the next frames in the
// direction of travel, so that a train running forward finds its next picture
// ready and the drawing thread does not wait for the decoder.
class FfmpegVideoSource : public VideoSource {
  public:
    FfmpegVideoSource();
    ~FfmpegVideoSource() override;
    FfmpegVideoSource(const FfmpegVideoSource&) = delete;
    FfmpegVideoSource& operator=(const FfmpegVideoSource&) = delete;

    bool open(const std::filesystem::path& file) override;
    void close() override;
    int frameCount() const override { return count_; }
    bool frame(int n, Image& out) override;

    // Whether frame n is decoded and waiting, so that frame(n) returns at once.
    bool prepared(int n) const;

  private:
    struct Slot {
        int number = -1;
        Image picture;
    };
    static constexpr int kSlots = 4;
    static constexpr int kAheadForward = 2;

    void work();
    int nextJob() const;  // -1: nothing to do
    Slot* find(int n);
    const Slot* find(int n) const;
    void store(int n, Image& picture);
    // Waits until the worker is idle, then keeps it so while the lock is held.
    void holdWorker(std::unique_lock<std::mutex>& lock);

    VideoDecoder decoder_;  // used by the worker, or by open/close while it is idle
    int count_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable wake_;  // to the worker: a job or the end
    std::condition_variable done_;  // to the caller: a job finished
    std::array<Slot, kSlots> slots_;
    std::set<int> failed_;  // frames the decoder could not produce
    int wanted_ = -1;       // the frame the caller waits for
    int last_ = -1;         // the frame last handed out
    int direction_ = 1;
    int working_ = -1;      // the frame being decoded
    bool holding_ = false;  // open or close waits for the decoder
    bool quit_ = false;
    std::thread worker_;
};

}  // namespace tovra
