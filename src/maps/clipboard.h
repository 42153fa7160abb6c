#pragma once

#include "text/status.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ecuimage.h"
#include "maps/displayformat.h"
#include "maps/map.h"
#include "maps/mapset.h"

// Map values on the clipboard as plain text: physical values, TAB between the values of a row,
// CR LF between rows. Reading also takes a lone LF as a row end.
namespace qmx::maps {

// One value of a clipboard table, by its offsets from the top-left value.
struct ClipEntry {
    int row = 0;
    int column = 0;
    float value = 0.0f;
};

// A rectangle of values, ordered by row, then column.
struct ClipTable {
    std::vector<ClipEntry> entries;
    int rows = 0;
    int columns = 0;
};

// Results of reading clipboard text.
enum class ClipResult {
    Table = 0,          // a table, possibly empty
    NoText = 1,         // no text could be obtained
    NotRectangular = 2, // rows of different lengths
    NotNumeric = 3,     // a value that is not a number
};

struct ClipRead {
    ClipResult result = ClipResult::Table;
    ClipTable table;
};

// Reads clipboard text (nothing: the clipboard had no text): rows end at CR LF or a lone LF
// (a final line end does not start a row), values are split at TAB. A value is empty (it
// reads 0) or digits and "." with an optional leading "-" and at least one digit.
ClipRead readClipTable(std::optional<std::string_view> text);

// The message of a read result: 0, 1544, 1545 or 1546, shown as a warning without caption.
int clipResultMessage(ClipResult result);

// The text of the selection of `map`: each selected cell's stored value is re-read from the
// image first; the bounding rectangle of the selection is written with FormatY, positions
// that are not selected as the formatted 0. Empty when nothing is selected.
std::string selectionText(const Map& map, const config::EcuImage& image,
                          const DisplayFormats& formats);

// Pastes `table` into the Y cells of `map` from its current cell, which must be a Y cell
// (otherwise nothing is pasted and 0 returned, unless 1547 applies). With two or more cells
// selected, one value goes into every selected cell and more values are refused with
// PasteDuringSelection (1547); otherwise each value goes to the current cell + its offsets, and
// values outside the map are dropped. Values are committed as typed ones, without the range
// warning; an undo record of the current cell starts the group and every written cell adds a
// grouped one. The current cell is selected again afterwards. Returns 0, 1547, or DataError
// (1505) when the conversion refused a value (that cell keeps its value).
text::Status pasteIntoCells(MapSet& maps, Map& map, const ClipTable& table,
                            const DisplayFormats& formats);

} // namespace qmx::maps
