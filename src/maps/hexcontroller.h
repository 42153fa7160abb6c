#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "maps/hexlayout.h"
#include "maps/hexmaprange.h"
#include "maps/mapset.h"
#include "maps/tablecommands.h"
#include "text/messagesink.h"

// The hex view without the window: the data area of the image as rows of 16 bytes with the
// current map's bytes marked, and a one-byte editor over the byte of the map's current cell.
// A click or an arrow selects another byte of the map; Enter commits the typed hexadecimal
// value (kept within the cell's limits) through the map model with an undo record; Shift+Enter
// commits and, for a Y value of a map that is not a free map, names the byte to put into the
// running ECU. The widgets paint the picture it gives and forward their input.
namespace qmx::maps {

// One byte for the running ECU.
struct EcuByte {
    std::uint16_t address = 0;
    std::uint8_t value = 0;
};

// What an input did.
struct HexEffect {
    bool valuesChanged = false;    // a value was written: the other windows refresh
    bool selectionMoved = false;   // another byte was selected: the other windows follow
    bool lineValueChanged = false; // a Z value was written: the "&Line" list needs its text
    std::optional<EcuByte> sendToEcu;
};

struct HexByte {
    PixelRect rect;   // grid pixels
    std::string text; // "%02X", drawn right-aligned 4 pixels in from the right edge
    bool inMap = false;
};

struct HexLabel {
    PixelRect rect; // window pixels
    std::string text;
};

// Everything the two windows draw.
struct HexPicture {
    std::vector<HexLabel> rowLabels; // the address of each shown row, "%X"
    std::vector<HexLabel> headings;  // "+0" to "+F" above the shown columns
    std::vector<HexByte> bytes;      // the shown bytes
    PixelRect hatchRight;            // grid pixels right of column F; empty when none
    PixelRect hatchBelow;            // grid pixels below the last row; empty when none
};

class HexController {
public:
    // Shows the current map of `maps`; messages go to `sink`. Both must outlive the controller.
    HexController(MapSet& maps, text::MessageSink& sink, int cellWidth, int rowHeight);

    // --- Layout -------------------------------------------------------------------------------
    void setCellSize(int cellWidth, int rowHeight) { m_layout.setCellSize(cellWidth, rowHeight); }
    // The inner grid's size and a scroll bar's thickness, in pixels. The first size that shows
    // bytes after a change of map scrolls the map into view.
    void setGridSize(int width, int height, int barExtent);
    // Scroll position in columns and rows (from the scroll bars), pulled into range.
    void scrollTo(int firstColumn, int firstRow) { m_layout.scrollTo(firstColumn, firstRow); }
    const HexLayout& layout() const { return m_layout; }

    // After another window changed values or the current cell, or a window gained the focus:
    // takes the data area and the map's current cell again; the editor shows the byte's value
    // (what was typed is dropped).
    void refresh();
    // The current map changed: refreshes and scrolls the map into view (as much of it as fits,
    // from its first byte, and always its selected byte).
    void mapChanged();

    // --- Painting -----------------------------------------------------------------------------
    HexPicture picture() const;
    // The frame caption: "HEX - " and the map's name.
    std::string caption() const;
    const HexMapRange& mapRange() const { return m_range; }

    // --- Editor -------------------------------------------------------------------------------
    // The byte of the map's current cell when the hex view can select it.
    std::optional<std::uint32_t> selectedAddress() const;
    // Where the editor sits, in grid pixels; nothing when no byte is selected.
    std::optional<PixelRect> editorRect() const;
    const std::string& editText() const { return m_editText; }
    // The text as the user changed it.
    void setEditText(std::string text);
    // Another window shows `raw` for the current cell: the editor shows it as "%02X".
    void showValue(int raw);
    // Drops what was typed: the editor shows the byte's value again.
    void cancelEdit();

    // --- Input --------------------------------------------------------------------------------
    // A left click at grid point (x, y): on a selectable byte of the map, commits what was
    // typed and selects the byte; anywhere else nothing.
    HexEffect click(int x, int y);
    // A keyboard command by number (tablecmd): Enter, Shift+Enter and the four arrows; others
    // do nothing.
    HexEffect command(int code);
    // Commits the editor's text into the selected byte. Text that is not hexadecimal digits is
    // refused with the data error message (captioned "Table Window") and the value stays; a
    // value is kept within the cell's limits and written, with an undo record, only when it
    // differs from the byte. With `live`, a Y value of a map that is not a free map is named
    // for the running ECU (also when it did not change).
    HexEffect commit(bool live);

private:
    // Scrolls the map into view once the grid shows bytes.
    void revealMap();
    HexEffect move(int delta);
    HexEffect select(std::uint32_t address);
    // The text of the byte at `address`.
    std::string byteText(std::uint32_t address) const;
    void refuse();

    MapSet& m_maps;
    text::MessageSink& m_sink;
    HexLayout m_layout;
    HexMapRange m_range;
    std::string m_editText;
    bool m_edited = false; // the user changed the editor's text since it last showed the byte
    bool m_revealPending = false; // the map is to be scrolled into view when the grid has room
};

} // namespace qmx::maps
