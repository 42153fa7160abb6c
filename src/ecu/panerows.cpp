#include "ecu/panerows.h"

#include <algorithm>
#include <cstdio>

namespace qmx::ecu {

namespace {

constexpr int kAddressRows = 0x10000 / kPaneRowBytes;

std::uint32_t rowAddress(const DataPane& pane, int index) {
    return (std::uint32_t{pane.start} / kPaneRowBytes + static_cast<std::uint32_t>(index)) *
           kPaneRowBytes;
}

std::string hexText(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

} // namespace

int paneRowCount(const DataPane& pane) {
    return std::clamp(pane.rows, 0, kAddressRows - pane.start / kPaneRowBytes);
}

PaneRow paneRow(const DataPane& pane, const DataPane& other, int index) {
    PaneRow row;
    const std::uint32_t first = rowAddress(pane, index);
    row.address = hexText(first, 4);
    for (int column = 0; column < kPaneRowBytes; ++column) {
        const std::uint32_t at = first + static_cast<std::uint32_t>(column);
        if (const std::optional<std::uint8_t> byte = pane.byteAt(at)) {
            PaneByte& shown = row.bytes[static_cast<std::size_t>(column)];
            shown.text = hexText(*byte, 2);
            shown.red = pane.differsAt(at, other);
        }
    }
    return row;
}

std::optional<int> firstDifferenceRow(const DataPane& pane, const DataPane& other) {
    for (std::size_t i = 0; i < pane.count(); ++i) {
        const std::uint32_t at = std::uint32_t{pane.start} + static_cast<std::uint32_t>(i);
        if (pane.differsAt(at, other))
            return static_cast<int>(at / kPaneRowBytes - pane.start / kPaneRowBytes);
    }
    return std::nullopt;
}

} // namespace qmx::ecu
