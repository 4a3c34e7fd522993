#include "app/OpeningMovie.h"

#include "app/QtImages.h"

namespace tovra {

namespace {

constexpr int kFrameMs = 33;

}  // namespace

OpeningMovie::OpeningMovie(QWidget* parent) : ClickableLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setStyleSheet("background-color: black;");
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kFrameMs);
    connect(&timer_, &QTimer::timeout, this, &OpeningMovie::nextFrame);
}

bool OpeningMovie::play(const std::filesystem::path& file) {
    opened_ = video_.open(file) && video_.frameCount() > 0;
    if (!opened_) return false;
    frame_ = 0;
    nextFrame();
    timer_.start();
    return true;
}

void OpeningMovie::stop() {
    timer_.stop();
    if (opened_) video_.close();
    opened_ = false;
}

void OpeningMovie::nextFrame() {
    if (!opened_ || frame_ >= video_.frameCount()) {
        timer_.stop();
        return;
    }
    if (video_.frame(frame_, picture_)) {
        setPixmap(QPixmap::fromImage(toQImage(picture_))
                      .scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    }
    ++frame_;
}

}  // namespace tovra
