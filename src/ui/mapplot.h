#pragma once

#include "maps/mapcontroller.h"

#include <QPixmap>
#include <QWidget>

namespace qmx::ui {

class MapWindow;

// The plot of the map window: a bordered child that paints the grid, the curves and the
// selection mark the map controller gives, and passes the mouse (in plot pixels) to its window.
// While a drag runs it paints the copy of the plot taken when the drag began, with the dragged
// segments over it.
class MapPlot : public QWidget {
public:
    // The 20-colour palette of the curves, by line colour number.
    static const QColor& paletteColour(int colour);
    static inline const QColor kGrid{192, 192, 192};

    MapPlot(const maps::MapController& controller, MapWindow& window);

    // Places the plot's inside on `plot` (window pixels); its border lies just outside.
    void place(const maps::PixelRect& plot);
    // Takes the copy of the plot a drag paints over; dropDragCopy() lets it go.
    void takeDragCopy();
    void dropDragCopy();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint plotPoint(const QMouseEvent* event) const;
    void paintPicture(QPainter& painter, const maps::PlotPicture& picture) const;

    const maps::MapController& m_controller;
    MapWindow& m_window;
    QPixmap m_dragCopy;
};

} // namespace qmx::ui
