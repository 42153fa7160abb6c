#pragma once

#include <QWidget>

class QGridLayout;

namespace qmx::ui {

// A table area on a grid layout: the cells of rows `firstRow` .. `lastRow` and columns 0 ..
// `columns` - 1 are painted white and ruled with a black 1-pixel line between all rows and
// columns and around them. The lines run in the layout's spacing, taken from where the cells
// are, so the ruling follows the layout as the area grows.
class RuledGrid : public QWidget {
public:
    // `layout` is the grid the area lays its cells out with (spacing 1, margins at least 1).
    RuledGrid(QGridLayout& layout, int firstRow, int lastRow, int columns,
              QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect cellRect(int row, int column) const;

    QGridLayout& m_layout;
    int m_firstRow;
    int m_lastRow;
    int m_columns;
};

} // namespace qmx::ui
