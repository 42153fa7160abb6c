#pragma once

#include "maps/hexcontroller.h"
#include "ui/docchildwindow.h"

#include <QFont>

namespace qmx::ui {

class HexGrid;

// The hex view: the outer window draws the row addresses and column headings around its inner
// grid, which draws the bytes and holds the one-byte editor. The window logic is the
// controller's; the view paints and forwards input, and tells the frame what an input did.
class HexView : public DocChildWindow {
    Q_OBJECT
public:
    static inline const QColor kBackground{192, 192, 192};
    static constexpr int kFontPixels = 14;

    // `cellWidth` and `rowHeight` are the table-window settings, raised where the text of the
    // face used would not fit.
    HexView(maps::MapSet& maps, text::MessageSink& sink, int cellWidth, int rowHeight,
            QWidget* parent = nullptr);

    WindowKind kind() const override { return WindowKind::Hex; }
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
    bool hasBlockSelection() const override { return false; }
    QString caption() const override;

    maps::HexController& controller() { return m_controller; }
    HexGrid* grid() const { return m_grid; }
    const QFont& viewFont() const { return m_font; }

    // A left click at grid point (x, y).
    void click(int x, int y);
    // The grid's scroll bars moved.
    void scrolled(int firstColumn, int firstRow);

signals:
    // Another byte was selected: the other windows follow.
    void selectionMoved();
    // A Z value was written: the map bar's "&Line" list shows the map's lines again.
    void lineValueEdited();
    // Shift+Enter committed a value that goes into the running ECU.
    void liveWriteRequested(int address, int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Applies what an input did: editor, bars, repaint, notifications.
    void settle(const maps::HexEffect& effect);
    void layOut();
    void syncAll();

    maps::HexController m_controller;
    QFont m_font;
    HexGrid* m_grid;
    QString m_caption;
};

} // namespace qmx::ui
