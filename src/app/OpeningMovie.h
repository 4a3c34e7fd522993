#pragma once

#include <QTimer>
#include <filesystem>

#include "app/ClickableLabel.h"
#include "platform/FfmpegVideoSource.h"
#include "ports/Image.h"

namespace tovra {

// The title's opening movie: its frames at 30 per second, the last one held
// until the title moves on.
class OpeningMovie : public ClickableLabel {
    Q_OBJECT
  public:
    explicit OpeningMovie(QWidget* parent = nullptr);

    // Opens and starts the movie; false when it cannot be played.
    bool play(const std::filesystem::path& file);
    void stop();
    bool opened() const { return opened_; }
    int shownFrame() const { return frame_ - 1; }

    // Shows the next frame; the timer calls it every 1/30 s.
    void nextFrame();

  private:
    FfmpegVideoSource video_;
    QTimer timer_;
    Image picture_;
    int frame_ = 0;
    bool opened_ = false;
};

}  // namespace tovra
