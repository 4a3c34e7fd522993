#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tovra {

class RemoteControl;

// The Controller menu's "リモート操作" dialog: starts and stops the remote
// interface and shows its address, its token and a QR code of the touch
// controller's address with the token, for a phone.
class RemoteDialog : public QDialog {
  public:
    RemoteDialog(RemoteControl& remote, QWidget* parent = nullptr);

  private:
    void toggle();
    void refresh();

    RemoteControl& remote_;
    QComboBox* address_;
    QSpinBox* port_;
    QLineEdit* token_;
    QPushButton* toggle_;
    QLabel* where_;
    QLabel* qr_;
    QLabel* note_;
};

}  // namespace tovra
