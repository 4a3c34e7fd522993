#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <filesystem>

#include "app/ClickableLabel.h"
#include "platform/FfmpegVideoSource.h"
#include "ports/Image.h"

namespace tovra {

class OpenAlSoundDevice;

// The title's opening movie with its sound track. The picture on show follows
// the time since the start at the file's own frame rate, so that it keeps with
// the sound however late the drawing runs; the last one is held until the
// title moves on.
class OpeningMovie : public ClickableLabel {
    Q_OBJECT
  public:
    explicit OpeningMovie(QWidget* parent = nullptr);

    // Opens and starts the movie, its sound on `channel` of `sound` when there
    // is both; false when its pictures cannot be shown.
    bool play(const std::filesystem::path& file, OpenAlSoundDevice* sound, int channel);
    // Stops the pictures and the sound.
    void stop();
    bool opened() const { return opened_; }
    int shownFrame() const { return shown_; }
    const Image& picture() const { return picture_; }

    // Shows the frame due `elapsed` after the start; false once the last one is on show.
    bool showFrameAt(std::chrono::milliseconds elapsed);

  private:
    int frameDue(std::chrono::milliseconds elapsed) const;
    void startSound(const std::filesystem::path& file, OpenAlSoundDevice& sound, int channel);
    // Shows the frame due at `elapsed` and sets the timer for the next one.
    void keepUp(std::chrono::milliseconds elapsed);

    FfmpegVideoSource video_;
    double rate_ = 0;  // frames per second
    QTimer timer_;
    QElapsedTimer clock_;
    Image picture_;
    OpenAlSoundDevice* sound_ = nullptr;  // while the sound track plays
    int channel_ = 0;
    int shown_ = -1;
    bool opened_ = false;
};

}  // namespace tovra
