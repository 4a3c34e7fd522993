#include "app/TextFont.h"

#include <QFontMetricsF>
#include <QStringList>

#include "platform/Translation.h"

namespace tovra {

namespace {

QFont statusFace() {
    QFont font;
    QStringList faces = {"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic"};
    if (activeLanguage() != Language::Japanese) faces.prepend("DejaVu Sans");
    font.setFamilies(faces);
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

QFont fittedStatusFont(const QString& text, double points, double room,
                       const QPaintDevice* device) {
    QFont font = statusFont(points);
    // Hinting keeps widths from shrinking in proportion: a few tries.
    for (int tries = 0; tries < 4; ++tries) {
        const double width = QFontMetricsF(font, device).horizontalAdvance(text);
        if (width <= room || points <= 1) break;
        points = std::max(1.0, points * room / width * 0.98);
        font = statusFont(points);
    }
    return font;
}

}  // namespace tovra
