#pragma once

#include <QAbstractScrollArea>
#include <QFont>

namespace qmx::ecu {
struct DataPane;
}

namespace qmx::ui {

// One pane of the "Data Compare" dialog: the pane's title, the heading "Address" over the
// column offsets, and a row per 16 addresses with the row address and the bytes, each byte red
// where the other pane differs (as ecu::paneRow colours it). Title and heading stay in place
// while the rows scroll.
class ComparePane : public QAbstractScrollArea {
public:
    static inline const QColor kDifferent{255, 0, 0};
    static inline const QColor kOffsets{128, 128, 128};

    explicit ComparePane(QWidget* parent = nullptr);

    // Shows `pane` coloured against `other`; both outlive the pane or the next call.
    void showPanes(const ecu::DataPane& pane, const ecu::DataPane& other);
    // Scrolls the first row that holds a red byte to the top (to the first row when none does).
    void scrollToFirstDifference();
    // The first data row shown.
    int firstShownRow() const;
    // The text of the pane's title, as drawn.
    QString title() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int lineHeight() const;
    int byteWidth() const;
    int addressWidth() const;
    int contentWidth() const;
    // Data rows that fit below the title and the heading.
    int visibleRows() const;
    void syncScrollBars();

    QFont m_font;
    const ecu::DataPane* m_pane = nullptr;
    const ecu::DataPane* m_other = nullptr;
};

} // namespace qmx::ui
