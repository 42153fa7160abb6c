#include "ui/dialogfont.h"

#include <QApplication>
#include <QFont>

namespace qmx::ui {

void applyDialogFont(int pixelSize) {
    if (pixelSize < 1)
        return;
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    QApplication::setFont(font, "QDialog");
}

} // namespace qmx::ui
