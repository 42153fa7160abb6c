#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "maps/displayformat.h"
#include "maps/map.h"
#include "maps/mapset.h"
#include "maps/tablelayout.h"
#include "text/messagesink.h"

// The table window without the window: it shows the current map of a document as a grid of
// numbers with its Z values on the left and its X values on top, and turns clicks, drags,
// keys, typed text and the clipboard into selections and map writes. The widget paints the
// picture it gives and forwards its input; every message goes through the message sink.
namespace qmx::maps {

// The keyboard commands the main frame forwards, by number.
namespace tablecmd {
constexpr int Enter = 7;
constexpr int EditBox = 10; // F2
constexpr int Raise = 11;
constexpr int Lower = 12;
constexpr int Up = 13;
constexpr int Down = 14;
constexpr int Left = 15;
constexpr int Right = 16;
constexpr int ExtendUp = 20;
constexpr int ExtendDown = 21;
constexpr int ExtendLeft = 22;
constexpr int ExtendRight = 23;
constexpr int MoveUp = 27; // Ctrl+arrows: move also while editing
constexpr int MoveDown = 28;
constexpr int MoveLeft = 29;
constexpr int MoveRight = 30;
constexpr int RaiseTen = 31;
constexpr int LowerTen = 32;
} // namespace tablecmd

// What an input did.
struct TableEffect {
    bool handled = true;        // false: the input belongs to the edit box (or to nobody)
    bool valuesChanged = false; // map values were written: the other views refresh
};

// The cell under a point of the window.
struct TableHit {
    EditTarget target = EditTarget::None; // None: nothing there
    int row = 0;                          // row of a Y or per-row X value; the Z index
    int index = 0;                        // column of a Y or X value; the Z index
    std::uint16_t raw = 0;
};

enum class CellStyle {
    Plain,    // black on white
    Selected, // white on navy
    Current,  // black on the current-cell colour
};

struct PaintCell {
    PixelRect rect;
    std::string text; // drawn right-aligned, 4 pixels in from the right edge
    CellStyle style = CellStyle::Plain;
};

// Everything the widget draws, in window pixels.
struct TablePicture {
    PixelRect gridPane;            // white, ruled between the cells
    PixelRect emptyArea;           // right of the last column; empty when none
    std::vector<PaintCell> header; // Z column and X row: values, or labels of a labelled map
    std::vector<PaintCell> grid;   // the visible Y values (and per-row X values)
};

class TableController {
public:
    // Shows the current map of `maps`; messages go to `sink`. Both must outlive the controller.
    TableController(MapSet& maps, text::MessageSink& sink, const DisplayFormats& formats,
                    int cellWidth, int cellHeight);

    // --- Layout -------------------------------------------------------------------------------
    void setFormats(const DisplayFormats& formats) { m_formats = formats; }
    // Pixels per cell (the table-window settings).
    void setCellSize(int width, int height);
    // The grid pane's client size in pixels; recomputes bars and ranges.
    void setViewSize(int width, int height);
    // Scroll position in cells (from the scroll bars), pulled into range.
    void scrollTo(int firstColumn, int firstRow);
    // After the current map changed or another view wrote to it: takes the map's size again,
    // selects its first cell when none is selected, and keeps the scroll position in range.
    void refresh();
    const TableLayout& layout() const { return m_layout; }
    // Grid rows per Z value: 2 for maps with an X row per Z value (that row above its Y row).
    int rowsPerZ() const;

    // --- Painting -----------------------------------------------------------------------------
    TablePicture picture() const;
    // The frame caption: "TABLE -" and the map title (the names edited together).
    std::string caption() const;
    // The cell under window point (x, y): a grid cell or an axis value of the header; axis
    // values of a labelled map and points outside the cells hit nothing.
    TableHit hitTest(int x, int y) const;

    // --- Mouse --------------------------------------------------------------------------------
    // Left button down: commits an edited text first; a Y cell becomes the current cell and the
    // selection (with Shift: the rectangle from the anchor, an unset anchor being the previous
    // current cell), and the mouse-down state starts (capture the mouse while mouseDown()); an
    // axis value becomes the current cell with an empty selection and no anchor.
    TableEffect mousePress(int x, int y, bool shift);
    // Pointer moved; `leftHeld` whether the button is still down (if not, the mouse-down state
    // ends). While down, a new Y cell under the pointer (of the same row for maps with an X row
    // per Z value) becomes current and the selection the rectangle from the anchor to it.
    void mouseMove(int x, int y, bool leftHeld);
    // Left button up: the mouse-down state ends (release the capture).
    void mouseRelease() { m_mouseDown = false; }
    bool mouseDown() const { return m_mouseDown; }
    // Double click: opens the edit box on a Y cell (not for maps with an X row per Z value) or
    // on an axis value, when no edit is open.
    TableEffect mouseDoubleClick(int x, int y);

    // --- Keys ---------------------------------------------------------------------------------
    // A typed character: "0" to "9" or "-" on a current Y cell opens the edit box with it.
    // handled is false when the edit box is open (it takes the character) or nothing happened.
    TableEffect typeCharacter(char c);
    // A keyboard command by number (tablecmd). Unknown numbers are not handled; 8, 17, 18, 19,
    // 24, 25 and 26 are handled and do nothing; 13 to 16 while editing are not handled (the
    // edit box takes the key).
    TableEffect command(int code);

    // --- Edit box -----------------------------------------------------------------------------
    bool editing() const { return m_editing; }
    const std::string& editText() const { return m_editText; }
    // The text as the user changed it in the edit box.
    void setEditText(std::string text);
    // Where the edit box sits: over the current cell.
    PixelRect editRect() const;
    // Commits the edit box (Enter, a change of display): Y values and per-row X values by the
    // typed-value rules, then the resulting raw value into every other selected cell as one
    // undo group; axis values by the axis rules. Shows the range warning or the data error
    // (then the cell keeps its value). The box closes in every case.
    TableEffect commitEdit();
    // Closes the edit box without writing (Escape).
    void cancelEdit() { m_editing = false; }

    // --- Clipboard ----------------------------------------------------------------------------
    // The text to copy: the selection's rectangle, else the edit box text, else the current
    // axis value; nothing when there is nothing to copy.
    std::optional<std::string> copyText();
    // Pastes clipboard text (nothing: the clipboard has no text). While an axis value is being
    // edited, handled is false: the edit box takes the text. Otherwise Y cells receive the
    // values (an open edit is dropped) and an axis value a single value; problems show their
    // warning and change nothing.
    TableEffect paste(std::optional<std::string_view> clipboardText);

private:
    Map* map() { return m_maps.current(); }
    const Map* map() const { return m_maps.current(); }
    void syncExtent();
    int gridRowOf(EditTarget target, int row) const;
    TableHit cellAt(const Map& map, LayoutHit hit) const;
    void scrollToCurrent();
    void openEdit(std::string text, bool changed);
    // Commits the edit box when its text was changed, else closes it.
    TableEffect settleEdit();
    TableEffect moveCurrent(int code);
    TableEffect extendSelection(int code);
    TableEffect step(int steps);
    bool writeToSelection(Map& map, bool grouped);
    void showWarning(int message);
    void showError();

    MapSet& m_maps;
    text::MessageSink& m_sink;
    DisplayFormats m_formats;
    TableLayout m_layout;
    bool m_editing = false;
    bool m_editChanged = false; // the user changed the text since the box opened
    std::string m_editText;
    bool m_mouseDown = false;
};

} // namespace qmx::maps
