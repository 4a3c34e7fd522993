#pragma once

#include <QDialog>
#include <QString>
#include <filesystem>
#include <map>
#include <string>

#include "app/KeyForwarder.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace tovra {

class Cab;

// The testing window: the raw driving state, the sound channels and a few
// testing buttons.
class TForm3 : public QDialog {
    Q_OBJECT
  public:
    TForm3(Cab& cab, std::filesystem::path routeFile, std::string vehicleFile, KeyForward forward,
           QWidget* parent = nullptr);

    // Fills every value from the run; `fps` is the drawing's frame rate.
    void refresh(int fps);
    QString value(const QString& label) const;

    void Button1Click();  // re-read the speed sections
    void Button2Click();  // jump to the frame typed
    void Button3Click();  // resistance off / on

  private:
    void set(const char* label, const QString& text);
    void refreshChannels();

    Cab& cab_;
    std::filesystem::path routeFile_;
    std::string vehicleFile_;
    std::map<QString, QLabel*> values_;
    QTableWidget* channels_ = nullptr;
    QLineEdit* frame_ = nullptr;
    QPushButton* resistOff_ = nullptr;
    QPlainTextEdit* log_ = nullptr;
    std::uint64_t logShown_ = 0;
};

}  // namespace tovra
