#pragma once

#include <QDialog>
#include <QString>
#include <array>

#include "app/KeyForwarder.h"

class QFrame;
class QStatusBar;

namespace tovra {

class Cab;

// The colours of the easy cab's lamps (RGB) for a handle state.
struct NotchLamps {
    unsigned neutral = 0;
    std::array<unsigned, 5> power{};  // KP1 .. KP5
    std::array<unsigned, 8> brake{};  // KB1 .. KB8
};
NotchLamps notchLamps(int powerHandle, int brakeHandle);
// The character the reverser button posts: 0 in neutral.
char reverserCharacter(int reverser);

// The easy cab: buttons that post the lever characters, and notch lamps.
// Made once for the program; each run attaches its cab.
class TForm6 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm6(KeyForward forward, QWidget* parent = nullptr);
    // The run the buttons drive; nullptr between runs.
    void attach(Cab* cab) { cab_ = cab; }
    // Lamps and door line from the run; every logic tick.
    void refresh();
    QString doorText() const;
    QFrame* lamp(const QString& name) const;

  private:
    void post(char c);

    Cab* cab_ = nullptr;
    QStatusBar* status_ = nullptr;
    QFrame* neutral_ = nullptr;
    std::array<QFrame*, 5> power_{};
    std::array<QFrame*, 8> brake_{};
};

}  // namespace tovra
