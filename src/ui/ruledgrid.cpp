#include "ui/ruledgrid.h"

#include <QGridLayout>
#include <QPainter>

namespace qmx::ui {

RuledGrid::RuledGrid(QGridLayout& layout, int firstRow, int lastRow, int columns, QWidget* parent)
    : QWidget(parent), m_layout(layout), m_firstRow(firstRow), m_lastRow(lastRow),
      m_columns(columns) {
}

QRect RuledGrid::cellRect(int row, int column) const {
    return m_layout.cellRect(row, column);
}

void RuledGrid::paintEvent(QPaintEvent*) {
    const QRect first = cellRect(m_firstRow, 0);
    const QRect last = cellRect(m_lastRow, m_columns - 1);
    if (!first.isValid() || !last.isValid())
        return;
    QPainter painter(this);
    // The lines lie one pixel outside each cell, in the layout's spacing.
    const QRect area(first.topLeft() - QPoint(1, 1), last.bottomRight() + QPoint(1, 1));
    painter.fillRect(area, Qt::white);
    painter.setPen(QPen(Qt::black, 0));
    for (int row = m_firstRow; row <= m_lastRow; ++row) {
        const int y = cellRect(row, 0).top() - 1;
        painter.drawLine(area.left(), y, area.right(), y);
    }
    painter.drawLine(area.left(), area.bottom(), area.right(), area.bottom());
    for (int column = 0; column < m_columns; ++column) {
        const int x = cellRect(m_firstRow, column).left() - 1;
        painter.drawLine(x, area.top(), x, area.bottom());
    }
    painter.drawLine(area.right(), area.top(), area.right(), area.bottom());
}

} // namespace qmx::ui
