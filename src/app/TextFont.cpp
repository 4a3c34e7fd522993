#include "app/TextFont.h"

#include <QStringList>

namespace tovra {

namespace {

QFont statusFace() {
    QFont font;
    font.setFamilies({"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic"});
    return font;
}

}  // namespace

QFont statusFont(int points) {
    QFont font = statusFace();
    font.setPointSize(std::max(1, points));
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont statusFont(double points) {
    QFont font = statusFace();
    font.setPointSizeF(std::max(1.0, points));
    font.setBold(true);
    font.setItalic(true);
    return font;
}

}  // namespace tovra
