#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "maps/displayformat.h"
#include "maps/map.h"
#include "maps/mapset.h"
#include "maps/rangewarning.h"

// Committing a typed value into the current cell of a map: the text is checked and converted,
// the raw value kept within the cell's limits and the record's input range, the undo hook told
// and the value written. Range violations are never errors: the nearest allowed value is set
// and a warning describes it.
namespace qmx::maps {

struct CommitOutcome {
    // 0, or DataError (1505) when the text or its conversion was refused; the map is then
    // unchanged and the caller shows rejectionText() captioned "Table Window" (error icon).
    int message = 0;
    std::string cellText; // the cell's text afterwards (its current value after a refusal)
    bool written = false; // a new raw value was written
    // Set when the value was replaced by the nearest allowed one; the caller shows its text
    // as a warning captioned "Table Window" (exclamation icon).
    std::optional<RangeWarning> warning;
};

// The text of a refused commit: "Data error", a line break, "Data is set as before editing".
std::string rejectionText();

// The physical value of `text` when it is a typed number: digits and "." with an optional
// leading "-", at least one digit.
std::optional<float> readTypedValue(std::string_view text);

// Writes `raw` into the current cell (a byte for Y values, a byte or word for axis values)
// after telling the undo hook (`family`, `grouped`).
// False, with nothing written, when the cell is not in the map.
bool writeCurrentCell(MapSet& maps, Map& map, std::uint16_t raw, EditFamily family, bool grouped);

// The display text of raw value `raw` of `target` in `map`.
std::string rawValueText(const Map& map, EditTarget target, std::uint16_t raw,
                         const DisplayFormats& formats);

// The display text of the current cell's value in `image`.
std::string currentCellText(const Map& map, const config::EcuImage& image,
                            const DisplayFormats& formats);

// Commits `text` into the current cell, a Y value or an X value of a per-row-X map: Y values
// snap to the Y step; the raw value is clamped to 0..255 and the cell's limits and moved one
// raw step back into the input range when its physical value lies outside. Writes (telling the
// undo hook first, family Edit) only when the raw value changes.
CommitOutcome commitTypedCell(MapSet& maps, Map& map, std::string_view text,
                              const DisplayFormats& formats);

// The same from an already read value, as a paste commits it; `grouped` goes to the undo hook.
CommitOutcome commitCellValue(MapSet& maps, Map& map, float value, const DisplayFormats& formats,
                              bool grouped);

// Commits `text` into the current axis cell (a Z value, or an X value of a map with one X
// row) so that the axis keeps its order: the value stays within the input range and at least
// one raw step and one step away from each neighbour (for a downward Z axis the neighbours
// swap roles). Comparisons use values as displayed. Writes only when the display changes.
CommitOutcome commitAxisValue(MapSet& maps, Map& map, std::string_view text,
                              const DisplayFormats& formats);

} // namespace qmx::maps
