#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "maps/displayformat.h"
#include "maps/mapset.h"
#include "maps/tablecommands.h"
#include "maps/tabledisplay.h"
#include "maps/tableeditor.h"
#include "maps/tablenavigation.h"
#include "text/messagesink.h"

// The table window without the window: it shows the current map of a document as a grid of
// numbers with its Z values on the left and its X values on top, and turns clicks, drags,
// keys, typed text and the clipboard into selections and map writes. The widget paints the
// picture it gives and forwards its input. It routes each input to the display (picture, hit
// tests, scrolling), the navigation (current cell and selection) and the editor (edit box,
// steps, clipboard), settling an open edit before the current cell moves.
namespace qmx::maps {

class TableController {
public:
    // Shows the current map of `maps`; messages go to `sink`. Both must outlive the controller.
    TableController(MapSet& maps, text::MessageSink& sink, const DisplayFormats& formats,
                    int cellWidth, int cellHeight);
    // The display and the editor refer to the controller's formats.
    TableController(const TableController&) = delete;
    TableController& operator=(const TableController&) = delete;

    // --- Layout -------------------------------------------------------------------------------
    // Every text a cell of the current map may show (see TableDisplay::cellTexts).
    std::vector<std::string> cellTexts() const { return m_display.cellTexts(); }
    // Fits the cells to the widest text and the text height, in pixels of the font used.
    void fitCells(int widestText, int textHeight) { m_display.fitCells(widestText, textHeight); }
    // The grid pane's client size in pixels; recomputes bars and ranges.
    void setViewSize(int width, int height) { m_display.setViewSize(width, height); }
    // Scroll position in cells (from the scroll bars), pulled into range.
    void scrollTo(int firstColumn, int firstRow) { m_display.scrollTo(firstColumn, firstRow); }
    // After the current map changed or another view wrote to it: takes the map's size again,
    // selects its first cell when none is selected, and keeps the scroll position in range.
    void refresh();
    const TableLayout& layout() const { return m_display.layout(); }
    // Grid rows per Z value: 2 for maps with an X row per Z value (that row above its Y row).
    int rowsPerZ() const { return m_display.rowsPerZ(); }
    // Scrolls the least distance that shows the current cell whole.
    void scrollToCurrent() { m_display.scrollToCurrent(); }

    // --- Painting -----------------------------------------------------------------------------
    TablePicture picture() const { return m_display.picture(); }
    // The frame caption: "TABLE -" and the map title (the names edited together).
    std::string caption() const { return m_display.caption(); }
    // The cell under window point (x, y): a grid cell or an axis value of the header; axis
    // values of a labelled map and points outside the cells hit nothing.
    TableHit hitTest(int x, int y) const { return m_display.hitTest(x, y); }

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
    void mouseRelease() { m_navigation.release(); }
    bool mouseDown() const { return m_navigation.mouseDown(); }
    // Double click: opens the edit box on a Y cell (not for maps with an X row per Z value) or
    // on an axis value, when no edit is open.
    TableEffect mouseDoubleClick(int x, int y);

    // --- Keys ---------------------------------------------------------------------------------
    // A typed character: "0" to "9" or "-" on a current Y cell opens the edit box with it.
    // handled is false when the edit box is open (it takes the character) or nothing happened.
    TableEffect typeCharacter(char c) { return m_editor.typeCharacter(c); }
    // A keyboard command by number (tablecmd). Unknown numbers are not handled; 8, 17, 18, 19,
    // 24, 25 and 26 are handled and do nothing; 13 to 16 while editing are not handled (the
    // edit box takes the key).
    TableEffect command(int code);

    // --- Edit box -----------------------------------------------------------------------------
    bool editing() const { return m_editor.editing(); }
    const std::string& editText() const { return m_editor.editText(); }
    // The text as the user changed it in the edit box.
    void setEditText(std::string text) { m_editor.setEditText(std::move(text)); }
    // Where the edit box sits: over the current cell.
    PixelRect editRect() const { return m_display.editRect(); }
    // Commits the edit box (Enter, a change of display); see TableEditor::commit.
    TableEffect commitEdit() { return m_editor.commit(); }
    // Closes the edit box without writing (Escape).
    void cancelEdit() { m_editor.cancel(); }

    // --- Clipboard ----------------------------------------------------------------------------
    // The text to copy: the selection's rectangle, else the edit box text, else the current
    // axis value; nothing when there is nothing to copy.
    std::optional<std::string> copyText() { return m_editor.copyText(); }
    // Pastes clipboard text; see TableEditor::paste.
    TableEffect paste(std::optional<std::string_view> clipboardText) {
        return m_editor.paste(clipboardText);
    }

private:
    // Settles the edit, then moves by `code` and scrolls the new cell into view.
    TableEffect moveCurrent(int code);
    TableEffect extendSelection(int code);

    MapSet& m_maps;
    DisplayFormats m_formats;
    TableDisplay m_display;
    TableNavigation m_navigation;
    TableEditor m_editor;
};

} // namespace qmx::maps
