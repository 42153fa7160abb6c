#include "ui/linklabel.h"

#include "maps/linkrules.h"

#include <QFontMetrics>

#include <algorithm>

namespace qmx::ui {

namespace {
constexpr int kPadding = 4; // pixels of the corner left free beside the text
}

LinkLabel::LinkLabel(const maps::MapSet& maps, QWidget* parent) : QLabel(parent), m_maps(maps) {
    setObjectName("linkLabel");
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, kBackground);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    // The corner is no hit target of the view: clicks reach the view below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void LinkLabel::refresh() {
    const QString label = QString::fromStdString(maps::currentLinkLabel(m_maps));
    if (label != text()) {
        setText(label);
        fit();
    }
    setVisible(!label.isEmpty());
}

void LinkLabel::placeIn(const QRect& corner) {
    m_corner = corner;
    fit();
}

void LinkLabel::fit() {
    QFont shown("Arial");
    // A narrow face keeps the four-map label readable in a corner of one cell.
    shown.setStretch(QFont::Condensed);
    int width = 0;
    for (int pixels = std::min(kLargestPixels, std::max(kSmallestPixels, m_corner.height() - 4));
         pixels >= kSmallestPixels; --pixels) {
        shown.setPixelSize(pixels);
        width = QFontMetrics(shown).horizontalAdvance(text()) + kPadding;
        if (width <= m_corner.width())
            break;
    }
    setFont(shown);
    const int height = std::max(m_corner.height(), QFontMetrics(shown).height());
    setGeometry(m_corner.x(), m_corner.y(), std::max(width, m_corner.width()), height);
    raise();
}

} // namespace qmx::ui
