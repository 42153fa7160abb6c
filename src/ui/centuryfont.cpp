#include "ui/centuryfont.h"

#include <QFontDatabase>

namespace qmx::ui {

QFont centuryFont(int pixelSize) {
    // Font matching would hand an unknown family to the default sans face; ask for the family
    // first, so that the stand-in is at least a serif one like Century.
    QFont font(QFontDatabase::hasFamily("Century") ? QString("Century") : QString("serif"));
    font.setStyleHint(QFont::Serif);
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace qmx::ui
