#pragma once

#include <QDialog>
#include <QString>
#include <map>

#include "app/KeyForwarder.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace tovra {

class Cab;

// The testing window: the raw driving state, the sound channels and a few
// testing buttons. Made once for the program; each run attaches its cab, and
// the window keeps what it shows (the log, the frame typed) between runs.
class TForm3 : public QDialog {
    Q_OBJECT
  public:
    explicit TForm3(KeyForward forward, QWidget* parent = nullptr);

    // The run the window shows and acts on; nullptr between runs.
    void attach(Cab* cab);
    // Every logic tick: the caption follows the serial controller, and the
    // values are filled while the window is shown; `fps` is the number of
    // video pictures shown in the last second.
    void logicTick(int fps);
    // Fills every value from the run.
    void refresh(int fps);
    QString value(const QString& label) const;
    int bar(const QString& name) const;

    void Button1Click();  // re-read the speed sections
    void Button2Click();  // jump to the frame typed
    void Button3Click();  // resistance off / on

  private:
    void set(const QString& label, const QString& text);
    void refreshChannels();

    Cab* cab_ = nullptr;
    std::map<QString, QLabel*> values_;
    std::map<QString, QProgressBar*> bars_;
    QTableWidget* channels_ = nullptr;
    QLineEdit* frame_ = nullptr;
    QPushButton* resistOff_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    std::uint64_t logShown_ = 0;
};

}  // namespace tovra
