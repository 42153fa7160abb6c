#pragma once

#include <QLabel>

namespace qmx::maps {
class MapSet;
}

namespace qmx::ui {

// The map link label a map view shows beside its map ("#1,#2,#3,#4", "#1,#2", "#1,#4" or
// "#2,#3"), so that the technician sees that an edit is copied into other maps. Hidden while the
// current map is edited alone. The view creates it as its child, places it in a corner where no
// value is drawn and refreshes it whenever the link or the current map may have changed.
class LinkLabel : public QLabel {
public:
    static inline const QColor kBackground{255, 230, 120};
    static constexpr int kLargestPixels = 12;
    static constexpr int kSmallestPixels = 8;

    // `maps` outlives the label.
    LinkLabel(const maps::MapSet& maps, QWidget* parent);

    // Takes the label of the current map again; hidden when there is none.
    void refresh();
    // Places the label over `corner` (pixels of the parent): its text shrinks to fit the
    // corner's width, and the label grows past the corner only when the smallest text does not
    // fit, so that the text is never cut.
    void placeIn(const QRect& corner);

private:
    void fit();

    const maps::MapSet& m_maps;
    QRect m_corner;
};

} // namespace qmx::ui
