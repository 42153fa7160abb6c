#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "config/ecuimage.h"
#include "maps/mapaxis.h"
#include "maps/selection.h"
#include "maps/undolist.h"

// One map: a table of Y values over a Z axis (rows) and an X axis (columns), where its values
// lie in the memory image, and which cell the editors are working on. Maps read and write only
// through the image; they never keep copies of its bytes.
namespace qmx::maps {

enum class MapKind {
    Labelled = 0,  // fixed axis labels from the configuration; only Y values in the image
    Shared = 1,    // free map: Z axis, one X row and the Y values in the image
    PerRowX = 2,   // free map: as Shared, with an X row of its own for every Z value
    Addressed = 3, // config map: Z and X axes at configured addresses, bytes or words
};

// Which value of the map is being edited.
enum class EditTarget { None = 0, Y = 1, X = 2, Z = 3 };

// The highest and lowest raw value the cell being edited may take.
struct RawLimits {
    std::int32_t lowest = 0;
    std::int32_t highest = 0xFF;

    // `raw` raised to the lowest, then capped at the highest (so crossed limits end at the
    // highest).
    std::int32_t apply(std::int32_t raw) const;
};

// Result of reading or writing a value of a map.
enum class Access {
    Ok = 0,
    RowOutOfRange = 1,
    ColumnOutOfRange = 2,
    NotInImage = 3, // the axis of a labelled map has no values in the image
};

struct CellRead {
    Access result = Access::Ok;
    std::uint16_t value = 0;
};

struct Map {
    MapKind kind = MapKind::Shared;
    std::string name;               // the key that links maps
    std::string headerExtra;        // optional fourth field of a free-map header, kept as read
    MapAxis z;                      // rows
    MapAxis x;                      // columns
    MapAxis y;                      // the data; always single bytes
    std::optional<int> ownDecimals; // own Y display decimals (config map with a Y line)

    // Edit state: the cell being edited. Its raw value and limits are read from the image
    // when needed (editstate.h), so that a read, an undo or the checksum fix never leaves a
    // stale copy behind.
    EditTarget target = EditTarget::None;
    int editRow = 0;   // row of a Y value or of a per-row X value
    int editIndex = 0; // column of a Y or X value; the Z index for a Z value

    UndoList undo;       // this map's undo history, oldest first
    Selection selection; // the Y cells selected in the table window, and the anchor

    int rows() const { return z.count; }
    int columns() const { return x.count; }
    // Whether the X and Z axes live in the image (free maps and addressed config maps).
    bool axesInImage() const { return kind != MapKind::Labelled; }
    bool hasXRowPerZ() const { return kind == MapKind::PerRowX; }
};

// Image address of Y value (row, column): Y address + row × columns + column.
std::uint32_t yAddress(const Map& map, int row, int column);
// Image address of X value `column` (of `row` for a per-row-X map), the high byte of a word.
std::uint32_t xAddress(const Map& map, int row, int column);
// Image address of Z value `row`, the high byte of a word.
std::uint32_t zAddress(const Map& map, int row);

// The axis record of `target`: X, Z, or Y for Y and None.
const MapAxis& axisOf(const Map& map, EditTarget target);

// The Y byte at (row, column).
CellRead readY(const Map& map, const config::EcuImage& image, int column, int row);
// X value `column` (of `row` for a per-row-X map; `row` is ignored otherwise).
CellRead readX(const Map& map, const config::EcuImage& image, int column, int row = 0);
// Z value `row`.
CellRead readZ(const Map& map, const config::EcuImage& image, int row);

// The value of `target` at (row, index), with the meaning of row and index of the edit
// state; RowOutOfRange for target None.
CellRead readValue(const Map& map, const config::EcuImage& image, EditTarget target, int row,
                   int index);

// Whether `address` is one of the map's Y bytes.
bool holdsYAddress(const Map& map, std::uint32_t address);

} // namespace qmx::maps
