#pragma once

#include <QWidget>

class QLineEdit;
class QScrollBar;

namespace qmx::ui {

class HexView;

// The inner window of the hex view: paints the bytes its view's controller lays out, holds the
// one-byte editor and the two scroll bars, and forwards clicks, keys and scrolling to the view.
class HexGrid : public QWidget {
public:
    static inline const QColor kLine{192, 192, 192};
    static inline const QColor kOutsideMap{160, 160, 160};

    explicit HexGrid(HexView& view);

    QLineEdit* editor() const { return m_editor; }
    QScrollBar* horizontalBar() const { return m_hbar; }
    QScrollBar* verticalBar() const { return m_vbar; }

    // Places the bars by the layout and gives them its ranges and positions.
    void syncScrollBars();
    // Places the editor over the selected byte with its text, whole text selected; hides it when
    // no byte is selected.
    void syncEditor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HexView& m_view;
    QLineEdit* m_editor;
    QScrollBar* m_hbar;
    QScrollBar* m_vbar;
    bool m_syncing = false;
};

} // namespace qmx::ui
