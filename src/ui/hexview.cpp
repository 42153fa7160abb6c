#include "ui/hexview.h"

#include "ui/centuryfont.h"
#include "ui/hexgrid.h"
#include "ui/pixelrect.h"
#include "ui/textcodec.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>

namespace qmx::ui {

HexView::HexView(maps::MapSet& maps, text::MessageSink& sink, int cellWidth, int rowHeight,
                 QWidget* parent)
    : DocChildWindow(parent), m_controller(maps, sink, cellWidth, rowHeight),
      m_font(centuryFont(kFontPixels)), m_grid(nullptr) {
    setObjectName("hexView");
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The settings' sizes are minimums: a byte column (half a cell) holds "FF" in its editor's
    // border, the address column "FFF0", a row the face's height.
    const QFontMetrics metrics(m_font);
    const int byteColumn = metrics.horizontalAdvance("FFF") + 8;
    const int addressColumn = metrics.horizontalAdvance("FFF0") + 8;
    m_controller.setCellSize(std::max({cellWidth, 2 * byteColumn, addressColumn}),
                             std::max(rowHeight, metrics.height() + 6));
    m_grid = new HexGrid(*this);
    m_caption = textFromBytes(m_controller.caption());
    mapChanged();
}

void HexView::repaintWindow() {
    update();
    m_grid->update();
}

void HexView::refreshAfterChange() {
    m_controller.refresh();
    syncAll();
}

void HexView::refreshAfterFocus() {
    refreshAfterChange();
}

void HexView::valueChanged(int value, WindowKind) {
    m_controller.showValue(value);
    m_grid->syncEditor();
}

void HexView::editOperation(int code) {
    settle(m_controller.command(code));
}

void HexView::mapChanged() {
    m_controller.mapChanged();
    layOut();
    const QString caption = textFromBytes(m_controller.caption());
    if (caption != m_caption) {
        m_caption = caption;
        emit captionChanged(m_caption);
    }
}

void HexView::cut() {
    m_grid->editor()->cut();
}

void HexView::copy() {
    QGuiApplication::clipboard()->setText(m_grid->editor()->text());
}

void HexView::paste() {
    m_grid->editor()->paste();
}

void HexView::postRepaint(bool focusEditor) {
    QMetaObject::invokeMethod(
        this,
        [this, focusEditor] {
            repaintWindow();
            if (!focusEditor)
                return;
            QLineEdit* editor = m_grid->editor();
            (editor->isVisible() ? static_cast<QWidget*>(editor) : m_grid)->setFocus();
        },
        Qt::QueuedConnection);
}

QString HexView::caption() const {
    return m_caption;
}

void HexView::click(int x, int y) {
    const maps::HexEffect effect = m_controller.click(x, y);
    settle(effect);
    if (effect.selectionMoved)
        m_grid->editor()->setFocus();
}

void HexView::scrolled(int firstColumn, int firstRow) {
    m_controller.scrollTo(firstColumn, firstRow);
    m_grid->syncEditor();
    repaintWindow();
}

void HexView::settle(const maps::HexEffect& effect) {
    syncAll();
    if (effect.valuesChanged)
        emit valuesEdited();
    if (effect.selectionMoved)
        emit selectionMoved();
    if (effect.lineValueChanged)
        emit lineValueEdited();
    if (effect.valuesChanged || effect.selectionMoved)
        emit stateChanged();
    if (effect.sendToEcu)
        emit liveWriteRequested(effect.sendToEcu->address, effect.sendToEcu->value);
}

void HexView::layOut() {
    const maps::HexLayout& layout = m_controller.layout();
    m_grid->setGeometry(layout.cellWidth(), layout.rowHeight(),
                        std::max(0, width() - layout.cellWidth()),
                        std::max(0, height() - layout.rowHeight()));
    m_controller.setGridSize(m_grid->width(), m_grid->height(),
                             style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    syncAll();
}

void HexView::syncAll() {
    m_grid->syncScrollBars();
    m_grid->syncEditor();
    repaintWindow();
}

void HexView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setFont(m_font);
    const maps::HexLayout& layout = m_controller.layout();
    const maps::HexPicture picture = m_controller.picture();
    // Labels stop where the grid's bytes do, not under its scroll bars.
    const QRect labels(0, layout.rowHeight(), layout.cellWidth(), layout.clientHeight());
    const QRect headings(layout.cellWidth(), 0, layout.clientWidth(), layout.rowHeight());
    painter.setPen(Qt::black);
    painter.setClipRect(labels);
    for (const maps::HexLabel& label : picture.rowLabels) {
        const QRect r = toQRect(label.rect);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawText(r.adjusted(0, 2, -4, 0), Qt::AlignRight | Qt::AlignTop,
                         textFromBytes(label.text));
    }
    painter.setClipRect(headings);
    for (const maps::HexLabel& heading : picture.headings) {
        const QRect r = toQRect(heading.rect);
        painter.drawLine(r.topRight(), r.bottomRight());
        painter.drawText(r, Qt::AlignCenter, textFromBytes(heading.text));
    }
}

void HexView::resizeEvent(QResizeEvent*) {
    layOut();
}

} // namespace qmx::ui
