#pragma once

#include <cstdint>
#include <string>

// One value set of a map (its Z axis, its X axis or its Y values): how its raw values convert
// to physical ones and where they lie in the memory image.
namespace qmx::maps {

struct MapAxis {
    // Conversion. Limits are kept as the configuration's text; they read with "%f" when used
    // and an empty or unreadable text reads 0.
    std::string name;         // label of the value set, used in message captions
    std::string max;          // upper end of the display range
    std::string min;          // lower end of the display range
    std::string physicalExpr; // raw to physical; `x` is the raw value
    std::string rawExpr;      // physical to raw; `x` is the physical value
    std::string inputMax;     // upper input limit; empty: `max` stands for it
    std::string inputMin;     // lower input limit; empty: `min` stands for it
    int elementSize = 1;      // 2: big-endian 16-bit words; any other value: single bytes
    float step = 0.0f;        // resolution of typed values; 0 = no snapping

    // Placement.
    int count = 0;             // Z: rows; X: columns; Y: rows × columns (never cut to 8 bits)
    std::uint16_t address = 0; // image address of the first value
    std::string labels;        // comma-separated fixed labels of a labelled map's axis

    bool isWord() const { return elementSize == 2; }
    // The largest raw value an element can hold: 255, or 65535 for word elements.
    int rawCap() const { return isWord() ? 0xFFFF : 0xFF; }
    // Label `n` (from 0): the n-th comma-separated field of `labels`, trimmed; empty when
    // there is no such field.
    std::string label(int n) const;
    // Number of labels: the number of commas in `labels` + 1.
    int labelCount() const;
};

} // namespace qmx::maps
