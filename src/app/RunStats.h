#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace tovra {

class TForm1;

// `tovra --stats`: from the train's choice, the time to the first drawn cab
// frame, then every 10 s the frames drawn per second, the processor share
// of the process (all threads) and the worst lateness of a physics tick, on
// stderr.
class RunStats : public QObject {
  public:
    // `cab` gives the cab window once there is one.
    explicit RunStats(std::function<TForm1*()> cab);
    void trainChosen();

  private:
    void poll();

    std::function<TForm1*()> cab_;
    QTimer timer_;
    QElapsedTimer wall_;
    bool firstFrameSeen_ = false;
    std::int64_t lastFrames_ = 0;
    double lastCpuSeconds_ = 0;
    qint64 lastReportMs_ = 0;
};

}  // namespace tovra
