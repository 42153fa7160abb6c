#pragma once

#include "maps/mapcontroller.h"
#include "ui/docchildwindow.h"

#include <QFont>

namespace qmx::ui {

class LinkLabel;
class MapPlot;

// The map window: paints the margins of the current map's graph (labels, ticks, axis names) as
// the map controller lays them out, holds the plot, and forwards the mouse and the keys to the
// controller.
class MapWindow : public DocChildWindow {
    Q_OBJECT
public:
    MapWindow(maps::MapSet& maps, text::MessageSink& sink, const maps::DisplayFormats& formats,
              QWidget* parent = nullptr);

    WindowKind kind() const override { return WindowKind::Map; }
    void repaintWindow() override;
    void refreshAfterChange() override;
    void refreshAfterFocus() override;
    void valueChanged(int value, WindowKind origin) override;
    void editOperation(int code) override;
    void mapChanged() override;
    void cut() override {}
    void copy() override {}
    void paste() override {}
    void postRepaint(bool focusEditor) override;
    bool hasBlockSelection() const override;
    QString caption() const override { return m_caption; }

    maps::MapController& controller() { return m_controller; }
    MapPlot* plot() const { return m_plot; }
    LinkLabel* linkLabel() const { return m_linkLabel; }
    // The map bar's value fields: the selection's X and data values, the dragged one in place.
    maps::ValueTexts valueTexts() const { return m_controller.valueTexts(); }

    // Mouse input of the plot, in plot pixels.
    void plotPressed(Qt::MouseButton button, QPoint at);
    void plotMoved(QPoint at);
    void plotReleased(Qt::MouseButton button);

signals:
    // The point or column being edited shows `value` (raw), which a drag may not have written
    // yet: the other windows and the map bar's value fields are told (after stateChanged).
    void valueShown(int value);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Passes on what an input did: drag copy and capture, repaint, notifications, caption.
    void settle(const maps::MapEffect& effect);
    // The caption and the link label follow the current map and its link.
    void syncCaption();
    void layOut();

    maps::MapSet& m_maps;
    maps::MapController m_controller;
    QFont m_font;
    MapPlot* m_plot;
    LinkLabel* m_linkLabel;
    QString m_caption;
};

} // namespace qmx::ui
