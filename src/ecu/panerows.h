#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "ecu/datapane.h"

// What a pane of the compare window shows: one row per 16 addresses, each byte black where
// the other pane holds the same byte and red where it differs, so that a verify's differences
// stand out in both panes.
namespace qmx::ecu {

constexpr int kPaneRowBytes = 16;

struct PaneByte {
    std::string text; // "%02X"; empty where the pane holds no byte
    bool red = false; // the other pane has no byte here or another one, or the pane is partial
};

struct PaneRow {
    std::string address; // the row's first address, "%04X"
    std::array<PaneByte, kPaneRowBytes> bytes;
};

// The rows `pane` shows: its row count, never reaching past address 0xFFFF.
int paneRowCount(const DataPane& pane);

// Row `index` (0 .. paneRowCount - 1) of `pane`, coloured against `other`.
PaneRow paneRow(const DataPane& pane, const DataPane& other, int index);

// The first row of `pane` that holds a red byte; nothing when every byte is black.
std::optional<int> firstDifferenceRow(const DataPane& pane, const DataPane& other);

} // namespace qmx::ecu
