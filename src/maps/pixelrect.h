#pragma once

// Points and rectangles of window pixels, as the window logic hands them to the widgets that
// paint them.
namespace qmx::maps {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

} // namespace qmx::maps
