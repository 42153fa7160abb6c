#pragma once

#include <array>

// Where the map bar's controls go when the bar is resized.
namespace qmx::maps {

struct BarRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const BarRect&) const = default;
};

struct MapBarSizes {
    int barWidth = 0;
    int barHeight = 0;
    int buttonWidth = 0; // each of the four step buttons
    int buttonHeight = 0;
    int tabRowHeight = 0; // the row of page tabs at the top of the tab control
    BarRect lineLabel;    // the "&Line" label, its list and the "&ALL" box as they are now:
    BarRect lineList;     // their sizes and horizontal places are kept
    BarRect allBox;
};

struct MapBarLayout {
    std::array<BarRect, 4> buttons;
    BarRect tabs;
    BarRect mapList;
    BarRect constList;
    BarRect lineLabel;
    BarRect lineList;
    BarRect allBox;
};

// The buttons side by side from 5 pixels right of the left edge, 5 above the bottom; the tab
// control from (5, 5), as wide as the bar less 10 and as high as the space above the buttons
// less 10; the line controls with their tops 25 above the tab control's bottom; both lists 5
// right of the tab control and 5 below its tabs, as wide as it less 10, the map list ending 30
// and the constant list 5 above its bottom. Sizes that would be negative are 0.
MapBarLayout layOutMapBar(const MapBarSizes& sizes);

} // namespace qmx::maps
