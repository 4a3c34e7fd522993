#include "app/HelpWindow.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <fstream>
#include <iterator>
#include <sstream>

#include "common/TextCodec.h"

namespace tovra {

TForm4::TForm4(const std::filesystem::path& helpFile, QWidget* parent) : QDialog(parent) {
    auto* layout = new QVBoxLayout(this);
    text_ = new QPlainTextEdit(this);
    text_->setReadOnly(true);
    layout->addWidget(text_);
    resize(560, 480);
    std::ifstream in(helpFile, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::istringstream lines(decodeDataText(bytes));
    std::string line;
    bool first = true;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            setWindowTitle(QString::fromStdString(line));
            first = false;
        } else {
            text_->appendPlainText(QString::fromStdString(line));
        }
    }
}

QString TForm4::text() const {
    return text_->toPlainText();
}

}  // namespace tovra
