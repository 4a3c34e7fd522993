#include "platform/FfmpegVideoSource.h"

#include <cstdlib>

namespace tovra {

FfmpegVideoSource::FfmpegVideoSource() : worker_([this] { work(); }) {}

FfmpegVideoSource::~FfmpegVideoSource() {
    {
        const std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void FfmpegVideoSource::holdWorker(std::unique_lock<std::mutex>& lock) {
    holding_ = true;
    done_.wait(lock, [&] { return working_ < 0; });
    holding_ = false;
    for (Slot& slot : slots_) slot.number = -1;
    failed_.clear();
    wanted_ = last_ = -1;
    direction_ = 1;
}

bool FfmpegVideoSource::open(const std::filesystem::path& file) {
    std::unique_lock lock(mutex_);
    holdWorker(lock);
    const bool opened = decoder_.open(file);
    count_ = opened ? decoder_.frameCount() : 0;
    return opened;
}

void FfmpegVideoSource::close() {
    std::unique_lock lock(mutex_);
    holdWorker(lock);
    decoder_.close();
    count_ = 0;
}

bool FfmpegVideoSource::frame(int n, Image& out) {
    if (n < 0 || n >= count_) return false;
    std::unique_lock lock(mutex_);
    if (last_ >= 0 && n != last_) direction_ = n > last_ ? 1 : -1;
    last_ = n;
    const auto settled = [&] { return find(n) || failed_.count(n) > 0; };
    if (!settled()) {
        wanted_ = n;
        wake_.notify_one();
        done_.wait(lock, settled);
        wanted_ = -1;
    }
    wake_.notify_one();  // on to the frames that follow
    const Slot* slot = find(n);
    if (!slot) return false;
    out.width = slot->picture.width;
    out.height = slot->picture.height;
    out.pixels = slot->picture.pixels;
    return true;
}

bool FfmpegVideoSource::prepared(int n) const {
    const std::lock_guard lock(mutex_);
    return find(n) != nullptr;
}

FfmpegVideoSource::Slot* FfmpegVideoSource::find(int n) {
    for (Slot& slot : slots_)
        if (slot.number == n) return &slot;
    return nullptr;
}

const FfmpegVideoSource::Slot* FfmpegVideoSource::find(int n) const {
    return const_cast<FfmpegVideoSource*>(this)->find(n);
}

int FfmpegVideoSource::nextJob() const {
    if (holding_ || count_ <= 0) return -1;
    const auto needed = [&](int n) {
        return n >= 0 && n < count_ && !find(n) && failed_.count(n) == 0;
    };
    if (wanted_ >= 0 && needed(wanted_)) return wanted_;
    if (last_ < 0) return -1;
    // Backwards every picture may cost a seek, so only the next one is prepared.
    const int ahead = direction_ > 0 ? kAheadForward : 1;
    for (int k = 1; k <= ahead; ++k)
        if (needed(last_ + k * direction_)) return last_ + k * direction_;
    return -1;
}

void FfmpegVideoSource::store(int n, Image& picture) {
    // The free slot, or the one farthest from the frame on show.
    Slot* target = &slots_[0];
    const auto distance = [&](const Slot& s) {
        return s.number < 0 ? INT32_MAX : std::abs(s.number - last_);
    };
    for (Slot& slot : slots_)
        if (distance(slot) > distance(*target)) target = &slot;
    target->number = n;
    std::swap(target->picture, picture);  // the old picture's memory serves the next decode
}

void FfmpegVideoSource::work() {
    Image scratch;
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [&] { return quit_ || nextJob() >= 0; });
        if (quit_) return;
        const int job = nextJob();
        working_ = job;
        lock.unlock();
        const bool decoded = decoder_.decode(job, scratch);
        lock.lock();
        working_ = -1;
        if (decoded)
            store(job, scratch);
        else
            failed_.insert(job);
        done_.notify_all();
    }
}

}  // namespace tovra
