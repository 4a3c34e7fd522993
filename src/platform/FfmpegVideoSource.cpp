#include "platform/FfmpegVideoSource.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>

#include "platform/VideoDecoder.h"

namespace tovra {

FfmpegVideoSource::FfmpegVideoSource(std::size_t cacheBytes, std::unique_ptr<FrameDecoder> decoder)
    : decoder_(decoder ? std::move(decoder) : std::make_unique<VideoDecoder>()),
      cache_(cacheBytes),
      worker_([this] { work(); }) {
    decoder_->abandon = [this] { return abandon_.load(std::memory_order_relaxed); };
}

FfmpegVideoSource::~FfmpegVideoSource() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
        abandon_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void FfmpegVideoSource::holdWorker(std::unique_lock<std::mutex>& lock) {
    holding_ = true;
    abandon_ = true;
    done_.wait(lock, [&] { return !busy_; });
    holding_ = false;
    cache_.clear();
    failed_.clear();
    wanted_ = owed_ = -1;
    direction_ = 1;
    jumped_ = false;
}

namespace {

// The decoding threads yield to the thread that runs the ticks and draws:
// a picture may come late, a tick may not. Threads inherit the value from
// the thread that makes them, so the codec's own threads get it too.
constexpr int kDecoderNice = 5;

void yieldToTheTicks() {
    setpriority(PRIO_PROCESS, pid_t(syscall(SYS_gettid)), kDecoderNice);
}

}  // namespace

bool FfmpegVideoSource::open(const std::filesystem::path& file) {
    std::unique_lock lock(mutex_);
    holdWorker(lock);
    // Opened on a thread of the decoder's priority, where the codec starts its threads.
    bool opened = false;
    std::thread([&] {
        yieldToTheTicks();
        opened = decoder_->open(file);
    }).join();
    count_ = opened ? decoder_->frameCount() : 0;
    rate_ = opened ? decoder_->frameRate() : 0;
    return opened;
}

void FfmpegVideoSource::close() {
    std::unique_lock lock(mutex_);
    holdWorker(lock);
    decoder_->close();
    count_ = 0;
    rate_ = 0;
}

void FfmpegVideoSource::asked(int n) {
    if (n == wanted_) return;
    jumped_ = wanted_ < 0 || std::abs(n - wanted_) > kLongestStep;
    if (!jumped_) direction_ = n > wanted_ ? 1 : -1;
    wanted_ = n;
    cache_.setFrameLimit(direction_ > 0 ? kForwardFrames : 0, n, direction_);
    // A frame the running job will not reach: let it go at the next picture.
    if (busy_ && needed(n) && (n < job_.from || n > job_.to)) abandon_ = true;
    wake_.notify_one();
}

int FfmpegVideoSource::fetch(int n, int have, std::shared_ptr<const Image>& out) {
    const std::lock_guard lock(mutex_);
    if (n < 0 || n >= count_) return -1;
    asked(n);
    int give = n;
    if (!cache_.find(n)) {
        owed_ = n;
        const auto nearest = cache_.nearest(n);
        if (!nearest || (have >= 0 && std::abs(have - n) <= std::abs(*nearest - n))) return have;
        give = *nearest;
    }
    if (give != have) out = cache_.shared(give);
    return give;
}

void FfmpegVideoSource::setPictureSize(int width, int height) {
    const std::lock_guard lock(mutex_);
    if (width <= 0 || height <= 0) width = height = 0;
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    cache_.clear();
    failed_.clear();
    // The picture on its way has the old size: let it go.
    if (busy_) abandon_ = true;
    if (wanted_ >= 0) owed_ = wanted_;
    wake_.notify_one();
}

bool FfmpegVideoSource::frame(int n, Image& out) {
    std::unique_lock lock(mutex_);
    if (n < 0 || n >= count_) return false;
    asked(n);
    done_.wait(lock, [&] { return cache_.find(n) || failed_.count(n) > 0; });
    const Image* picture = cache_.find(n);
    if (!picture) return false;
    out = *picture;
    return true;
}

bool FfmpegVideoSource::prepared(int n) const {
    const std::lock_guard lock(mutex_);
    return cache_.find(n) != nullptr;
}

std::vector<int> FfmpegVideoSource::cachedFrames() const {
    const std::lock_guard lock(mutex_);
    return cache_.numbers();
}

bool FfmpegVideoSource::needed(int n) const {
    return n >= 0 && n < count_ && !cache_.find(n) && failed_.count(n) == 0;
}

FfmpegVideoSource::Job FfmpegVideoSource::nextJob() const {
    if (holding_ || wanted_ < 0) return {};
    if (direction_ > 0) {
        // No further ahead than the cache holds beside the frame just passed:
        // with huge pictures it would otherwise decode and drop for ever.
        const int ahead = std::min(kAheadForward, cache_.capacity() - 2);
        for (int n = wanted_; n <= wanted_ + ahead; ++n)
            if (needed(n)) return {n, n};
        return {};
    }
    // After a jump the frame asked for comes first, before the frames behind
    // it that running backwards will want; they cost a second pass.
    if (jumped_ && needed(wanted_)) return {wanted_, wanted_};
    // Backwards, runs of half the cache are decoded from below, each started
    // while half a run behind the frame on show is still prepared; the frames
    // just passed fill the rest.
    const int run = std::max(1, cache_.capacity() / 2);
    for (int n = wanted_; n >= wanted_ - run / 2; --n) {
        if (!needed(n)) continue;
        return {std::max({decoder_->keyFrameAtOrBefore(n), n - run + 1, 0}), n};
    }
    return {};
}

void FfmpegVideoSource::runJob(Job job, std::shared_ptr<Image>& scratch,
                               std::unique_lock<std::mutex>& lock) {
    for (int n = job.from; n <= job.to; ++n) {
        if (!scratch) scratch = std::make_shared<Image>();
        const int width = width_;
        const int height = height_;
        lock.unlock();
        decoder_->setPictureSize(width, height);
        const bool decoded = decoder_->decode(n, *scratch);
        lock.lock();
        if (!decoded && abandon_) return;
        // The size changed meanwhile: the picture is of no use.
        if (width != width_ || height != height_) return;
        if (decoded)
            cache_.store(n, scratch, wanted_ >= 0 ? wanted_ : n, direction_);
        else
            failed_.insert(n);
        done_.notify_all();
        if (n == owed_) {
            owed_ = -1;
            if (onFrameReady) onFrameReady();
        }
        if (quit_ || holding_) return;
        if (needed(wanted_) && !(n < wanted_ && wanted_ <= job.to)) return;  // a jump
    }
}

void FfmpegVideoSource::work() {
    yieldToTheTicks();
    std::shared_ptr<Image> scratch;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return quit_ || nextJob().from >= 0; });
        if (quit_) return;
        busy_ = true;
        abandon_ = false;
        job_ = nextJob();
        runJob(job_, scratch, lock);
        busy_ = false;
        done_.notify_all();
    }
}

}  // namespace tovra
