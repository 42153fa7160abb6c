#pragma once

#include <QStyledItemDelegate>

namespace qmx::ui {

// Draws a row of the title editor's list: the title from x = 4, the data text from x = 140, a
// separator at x = 136 and a line under the row; selected rows in the highlight colours.
// The item's display text is the title, its user role the data text.
class TitleListDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace qmx::ui
