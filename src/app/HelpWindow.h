#pragma once

#include <QDialog>
#include <filesystem>

class QPlainTextEdit;

namespace tovra {

// The help window: operation.dat's first line is its caption, the rest its
// read-only text.
class TForm4 : public QDialog {
  public:
    explicit TForm4(const std::filesystem::path& helpFile, QWidget* parent = nullptr);
    QString text() const;

  private:
    QPlainTextEdit* text_ = nullptr;
};

}  // namespace tovra
