#include "maps/mapbarlayout.h"

#include <algorithm>

namespace qmx::maps {

MapBarLayout layOutMapBar(const MapBarSizes& s) {
    MapBarLayout layout;
    constexpr int kMargin = 5;
    const int buttonTop = s.barHeight - kMargin - s.buttonHeight;
    for (int i = 0; i < 4; ++i)
        layout.buttons[i] = {kMargin + i * s.buttonWidth, buttonTop, s.buttonWidth, s.buttonHeight};

    layout.tabs = {kMargin, kMargin, std::max(0, s.barWidth - 2 * kMargin),
                   std::max(0, buttonTop - 2 * kMargin)};
    const int tabBottom = layout.tabs.y + layout.tabs.height;

    const auto lineControl = [&](BarRect kept) {
        kept.y = tabBottom - 25;
        return kept;
    };
    layout.lineLabel = lineControl(s.lineLabel);
    layout.lineList = lineControl(s.lineList);
    layout.allBox = lineControl(s.allBox);

    const int listX = layout.tabs.x + kMargin;
    const int listY = layout.tabs.y + s.tabRowHeight + kMargin;
    const int listWidth = std::max(0, layout.tabs.width - 2 * kMargin);
    layout.mapList = {listX, listY, listWidth, std::max(0, tabBottom - 30 - listY)};
    layout.constList = {listX, listY, listWidth, std::max(0, tabBottom - kMargin - listY)};
    return layout;
}

} // namespace qmx::maps
