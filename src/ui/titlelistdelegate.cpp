#include "ui/titlelistdelegate.h"

#include <QPainter>

namespace qmx::ui {

void TitleListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    const QRect row = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(row, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    const QRect title(row.left() + 4, row.top(), 136 - 4 - 2, row.height());
    const QRect data(row.left() + 140, row.top(), std::max(0, row.width() - 140), row.height());
    painter->drawText(title, Qt::AlignVCenter | Qt::AlignLeft,
                      index.data(Qt::DisplayRole).toString());
    painter->drawText(data, Qt::AlignVCenter | Qt::AlignLeft, index.data(Qt::UserRole).toString());
    painter->setPen(palette.text().color());
    painter->drawLine(row.left() + 136, row.top(), row.left() + 136, row.bottom());
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    painter->restore();
}

} // namespace qmx::ui
