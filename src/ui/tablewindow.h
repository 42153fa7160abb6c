#pragma once

#include "maps/tablecontroller.h"
#include "ui/docchildwindow.h"

#include <QFont>

class QLineEdit;
class QScrollBar;

namespace qmx::ui {

// How table windows look: the table-window settings and the display formats.
struct TableLook {
    int cellWidth = 55;
    int cellHeight = 20;
    int fontSize = 16; // pixels; 0 or less: the default font
    maps::DisplayFormats formats;
};

// The table window: paints the current map as the table controller lays it out, with scroll
// bars and an in-place edit box, and forwards mouse, keys and commands to the controller.
class TableWindow : public DocChildWindow {
    Q_OBJECT
public:
    static inline const QColor kGridLine{192, 192, 192};
    static inline const QColor kEmptyArea{198, 219, 231};
    static inline const QColor kSelected{0, 0, 128};
    static inline const QColor kCurrent{64, 200, 200};

    TableWindow(maps::MapSet& maps, text::MessageSink& sink, const TableLook& look,
                QWidget* parent = nullptr);

    WindowKind kind() const override { return WindowKind::Table; }
    void repaintWindow() override;
    void refreshAfterChange() override;
    void refreshAfterFocus() override;
    void valueChanged(int value, WindowKind origin) override;
    void editOperation(int code) override;
    void mapChanged() override;
    void cut() override;
    void copy() override;
    void paste() override;
    void postRepaint(bool focusEditor) override;
    bool hasBlockSelection() const override;
    QString caption() const override;

    maps::TableController& controller() { return m_controller; }
    QLineEdit* editBox() const { return m_edit; }
    QScrollBar* horizontalBar() const { return m_hbar; }
    QScrollBar* verticalBar() const { return m_vbar; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Applies what an input did: edit box, scroll bars, repaint, notifications.
    void settle(const maps::TableEffect& effect);
    void layOut();
    // Widens (or heightens) the cells to the texts of the current map in the window's font,
    // never below the settings' size, and lays the window out again when they changed.
    void fitCells();
    // Scrolls the current cell into view (after a resize, a new map, a chosen line).
    void scrollToCurrent();
    void syncEditBox();
    void syncScrollBars();

    maps::MapSet& m_maps;
    maps::TableController m_controller;
    QFont m_font;
    QLineEdit* m_edit;
    QScrollBar* m_hbar;
    QScrollBar* m_vbar;
    bool m_syncing = false;
    QString m_caption;
};

} // namespace qmx::ui
