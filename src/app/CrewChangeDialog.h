#pragma once

#include <QDialog>

namespace tovra {

// Offered at the crew-change station: go on driving, or end the run.
class TkotaiStop : public QDialog {
    Q_OBJECT
  public:
    explicit TkotaiStop(QWidget* parent = nullptr);

    void OKBtnClick();
    void CancelBtnClick();

  Q_SIGNALS:
    void endRun();
};

}  // namespace tovra
