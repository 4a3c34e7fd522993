#include "app/OpeningMovie.h"

#include <algorithm>
#include <cmath>

#include "app/QtImages.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/SoundTrack.h"

namespace tovra {

namespace {

using std::chrono::milliseconds;

milliseconds startOf(int frame, double rate) {
    return milliseconds(std::llround(std::ceil(frame * 1000.0 / rate)));
}

}  // namespace

OpeningMovie::OpeningMovie(QWidget* parent) : ClickableLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setStyleSheet("background-color: black;");
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { keepUp(milliseconds(clock_.elapsed())); });
}

bool OpeningMovie::play(const std::filesystem::path& file, OpenAlSoundDevice* sound, int channel) {
    stop();
    opened_ = video_.open(file) && video_.frameCount() > 0;
    if (!opened_) return false;
    rate_ = video_.frameRate();
    shown_ = -1;
    // Decoded before the clock starts, so that the pictures start with the sound.
    if (sound) startSound(file, *sound, channel);
    clock_.start();
    keepUp(milliseconds(0));
    return true;
}

void OpeningMovie::startSound(const std::filesystem::path& file, OpenAlSoundDevice& sound,
                              int channel) {
    const auto track = readSoundTrack(file);
    const auto wave = track ? sound.loadSamples(*track) : std::nullopt;
    if (!wave) return;
    sound.assign(channel, *wave);
    sound.playOnce(channel);
    sound_ = &sound;
    channel_ = channel;
}

void OpeningMovie::stop() {
    timer_.stop();
    if (sound_) sound_->stop(channel_);
    sound_ = nullptr;
    if (opened_) video_.close();
    opened_ = false;
}

bool OpeningMovie::showFrameAt(milliseconds elapsed) {
    if (!opened_) return false;
    // Frames the drawing was too late for are passed over.
    const int due = frameDue(elapsed);
    if (due != shown_ && video_.frame(due, picture_)) {
        setPixmap(QPixmap::fromImage(toQImage(picture_))
                      .scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        shown_ = due;
    }
    return due < video_.frameCount() - 1;
}

int OpeningMovie::frameDue(milliseconds elapsed) const {
    const double frame = std::floor(double(elapsed.count()) * rate_ / 1000);
    return int(std::clamp(frame, 0.0, double(video_.frameCount() - 1)));
}

void OpeningMovie::keepUp(milliseconds elapsed) {
    if (showFrameAt(elapsed)) timer_.start(startOf(frameDue(elapsed) + 1, rate_) - elapsed);
}

}  // namespace tovra
