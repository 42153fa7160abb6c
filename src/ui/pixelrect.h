#pragma once

#include "maps/tablelayout.h"

#include <QRect>

namespace qmx::ui {

// A rectangle of the window logic as Qt draws it.
inline QRect toQRect(const maps::PixelRect& r) {
    return {r.x, r.y, r.width, r.height};
}

} // namespace qmx::ui
