#pragma once

#include <QDialog>
#include <functional>

#include "app/KeyForwarder.h"

class QButtonGroup;

namespace tovra {

class Cab;

// The train settings dialog: the train protection on or off, and the engine
// of a diesel vehicle started or stopped at once.
class Tjumpdlg : public QDialog {
    Q_OBJECT
  public:
    Tjumpdlg(Cab& cab, KeyForward forward, QWidget* parent = nullptr);

    void RadioGroup2Click(int index);
    void RadioGroup4Click(int index);
    int atsIndex() const;
    int engineIndex() const;
    // How the dialog waits while the engine starts.
    std::function<void(int milliseconds)> wait;

  Q_SIGNALS:
    void protectionSwitchedOn();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    Cab& cab_;
    QButtonGroup* ats_ = nullptr;
    QButtonGroup* engine_ = nullptr;
};

}  // namespace tovra
