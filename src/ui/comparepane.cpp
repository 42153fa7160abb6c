#include "ui/comparepane.h"

#include "ecu/panerows.h"
#include "ui/centuryfont.h"
#include "ui/textcodec.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace qmx::ui {

namespace {

constexpr int kMargin = 6;     // pixels left and right of the text
constexpr int kFixedLines = 2; // the title and the heading
constexpr int kRowsShown = 16; // rows the pane asks room for
constexpr int kFontPixels = 14;

} // namespace

ComparePane::ComparePane(QWidget* parent)
    : QAbstractScrollArea(parent), m_font(centuryFont(kFontPixels)) {
    viewport()->setBackgroundRole(QPalette::Base);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // The address and all 16 bytes of a row always show; only a long title scrolls.
    setMinimumWidth(sizeHint().width());
}

void ComparePane::showPanes(const ecu::DataPane& pane, const ecu::DataPane& other) {
    m_pane = &pane;
    m_other = &other;
    verticalScrollBar()->setValue(0);
    syncScrollBars();
    viewport()->update();
}

void ComparePane::scrollToFirstDifference() {
    if (!m_pane || !m_other)
        return;
    verticalScrollBar()->setValue(ecu::firstDifferenceRow(*m_pane, *m_other).value_or(0));
}

int ComparePane::firstShownRow() const {
    return verticalScrollBar()->value();
}

QString ComparePane::title() const {
    return m_pane ? textFromBytes(m_pane->title) : QString();
}

QSize ComparePane::sizeHint() const {
    const int frame = 2 * frameWidth();
    const int bar = verticalScrollBar()->sizeHint().width();
    const int width = std::max(addressWidth() + ecu::kPaneRowBytes * byteWidth(),
                               QFontMetrics(m_font).horizontalAdvance("File Data  [ ]")) +
                      2 * kMargin;
    return {width + bar + frame, (kFixedLines + kRowsShown) * lineHeight() + frame};
}

int ComparePane::lineHeight() const {
    return QFontMetrics(m_font).height() + 2;
}

int ComparePane::byteWidth() const {
    return QFontMetrics(m_font).horizontalAdvance("000");
}

int ComparePane::addressWidth() const {
    const QFontMetrics metrics(m_font);
    return std::max(metrics.horizontalAdvance("Address"), metrics.horizontalAdvance("0000")) +
           metrics.horizontalAdvance("00");
}

int ComparePane::contentWidth() const {
    const int rows = addressWidth() + ecu::kPaneRowBytes * byteWidth();
    return std::max(rows, QFontMetrics(m_font).horizontalAdvance(title())) + 2 * kMargin;
}

int ComparePane::visibleRows() const {
    return std::max(0, viewport()->height() / lineHeight() - kFixedLines);
}

void ComparePane::syncScrollBars() {
    const int rows = m_pane ? ecu::paneRowCount(*m_pane) : 0;
    const int shown = std::max(1, visibleRows());
    verticalScrollBar()->setRange(0, std::max(0, rows - shown));
    verticalScrollBar()->setPageStep(shown);
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
}

void ComparePane::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    syncScrollBars();
}

void ComparePane::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.setFont(m_font);
    painter.translate(kMargin - horizontalScrollBar()->value(), 0);
    const int line = lineHeight();
    const int bytesLeft = addressWidth();
    const auto lineRect = [line](int x, int index, int width) {
        return QRect(x, index * line, width, line);
    };
    const auto byteRect = [&](int column, int index) {
        return lineRect(bytesLeft + column * byteWidth(), index, byteWidth());
    };

    painter.setPen(Qt::black);
    painter.drawText(lineRect(0, 0, contentWidth()), Qt::AlignLeft | Qt::AlignVCenter, title());
    painter.drawText(lineRect(0, 1, bytesLeft), Qt::AlignLeft | Qt::AlignVCenter, "Address");
    painter.setPen(kOffsets);
    for (int column = 0; column < ecu::kPaneRowBytes; ++column)
        painter.drawText(byteRect(column, 1), Qt::AlignCenter,
                         QString("+%1").arg(column, 0, 16).toUpper());
    if (!m_pane || !m_other)
        return;

    const int first = verticalScrollBar()->value();
    const int last = std::min(ecu::paneRowCount(*m_pane), first + visibleRows() + 1);
    for (int index = first; index < last; ++index) {
        const ecu::PaneRow row = ecu::paneRow(*m_pane, *m_other, index);
        const int shownLine = kFixedLines + index - first;
        painter.setPen(Qt::black);
        painter.drawText(lineRect(0, shownLine, bytesLeft), Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(row.address));
        for (int column = 0; column < ecu::kPaneRowBytes; ++column) {
            const ecu::PaneByte& byte = row.bytes[static_cast<std::size_t>(column)];
            painter.setPen(byte.red ? kDifferent : QColor(Qt::black));
            painter.drawText(byteRect(column, shownLine), Qt::AlignCenter,
                             QString::fromStdString(byte.text));
        }
    }
}

} // namespace qmx::ui
