#pragma once

#include "config/ecuimage.h"
#include "maps/map.h"

// Selection of the cell a map's editors work on, its raw value and its raw limits, both read
// from the image whenever they are asked for.
namespace qmx::maps {

// A value of a map named as the edit state names it: for Y and per-row X values a row and a
// column, for a single-row X value the column (row is the edit row), for a Z value its index
// (row = index).
struct EditPosition {
    EditTarget target = EditTarget::None;
    int row = 0;
    int index = 0;
};

// The map's current cell.
EditPosition currentPosition(const Map& map);

// Makes (target, row, index) the current cell: for Y and per-row X values `row` and `index`
// are the row and column, for single-row X values `index` is the column, for Z values `index`
// is the row. Changes nothing and returns the failure when the cell is not in the map (or
// target is None: RowOutOfRange).
Access selectCell(Map& map, const config::EcuImage& image, EditTarget target, int row, int index);
// The same for `at`.
Access selectCell(Map& map, const config::EcuImage& image, const EditPosition& at);

// When nothing is selected yet, selects the Y cell (0, 0); a map without cells stays
// unselected.
void selectFirstCell(Map& map, const config::EcuImage& image);

// Moves the edit position to `row` for the present target: a Z target becomes Z value `row`,
// an X target the X value at the edit index (of `row` for a per-row-X map), any other target
// the Y cell (row, edit index). Changes nothing and returns the failure when out of range.
Access selectRow(Map& map, const config::EcuImage& image, int row);

// A current cell no longer in the map (after a relayout) is replaced by the first Y cell.
void refreshEditState(Map& map, const config::EcuImage& image);

// The raw value of the current cell as the image holds it; 0 when no cell is current.
std::uint16_t currentRaw(const Map& map, const config::EcuImage& image);

// The raw limits of a Y value of the map whose Y record is `y`: its limits through the
// physical-to-raw expression, capped 0..255.
RawLimits yRawLimits(const MapAxis& y);

// The highest and lowest raw value the current cell may take: for Y values from the Y limits
// through the physical-to-raw expression (capped 0..255); for axis values the neighbouring raw
// values in the axis (swapped for a downward Z axis), capped 0..255 or 0..65535 for words.
RawLimits rawLimits(const Map& map, const config::EcuImage& image);

// Whether the Z axis runs downward: its first raw value is greater than its last.
bool zRunsDownward(const Map& map, const config::EcuImage& image);

// The physical value of Y cell `cell` as it is in the image (0 when outside the map).
float yPhysical(const Map& map, const config::EcuImage& image, GridCell cell);

// Makes `cell` the anchor and the whole selection.
void selectSingle(Map& map, GridCell cell);

// Refills the selection with every cell of the rectangle between `anchor` and `corner`,
// both included (cells outside the map left out); the anchor is left as it is.
void selectRectangle(Map& map, GridCell anchor, GridCell corner);

} // namespace qmx::maps
