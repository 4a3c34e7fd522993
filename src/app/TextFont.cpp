#include "app/TextFont.h"

#include <QStringList>

namespace tovra {

QFont statusFont(int points) {
    QFont font;
    font.setFamilies({"IPAGothic", "IPAPGothic", "Noto Sans CJK JP", "VL Gothic"});
    font.setPointSize(std::max(1, points));
    font.setBold(true);
    font.setItalic(true);
    return font;
}

}  // namespace tovra
