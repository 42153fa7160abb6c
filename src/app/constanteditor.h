#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ecuimage.h"
#include "config/linelist.h"
#include "maps/calibration.h"
#include "text/messagesink.h"
#include "text/status.h"

// The "Edit Const" dialog without the dialog: the calibration constants of a configuration on a
// private copy of the whole memory image, shown in 16 rows that scroll, with one value cell that
// has the focus. The cell is either selected (focused, not editing) or editing (an edit box
// holds the text). Typed values, raw steps and undo change only the working copy; the dialog
// paints the rows it gives and forwards its cells' keys, clicks and focus changes.
namespace qmx::app {

class Configuration;

// The keys of a value cell that the editor interprets.
enum class CellKey {
    Enter,
    Escape,
    Tab,
    Up,
    Down,
    ShiftUp,
    ShiftDown,
    Left,
    Right,
    F2,
    PageUp,
    PageDown,
    ShiftPageUp,
    ShiftPageDown,
    Undo, // Ctrl+Z
};

// What an input of a value cell did.
enum class CellOutcome {
    Handled, // the editor took it
    Ignored, // the edit box takes it (caret keys, characters, its own copy and paste)
    Cancel,  // Esc on a selected cell: the dialog ends as Cancel
    FocusOk, // Tab: the focus goes to the "&OK" button
};

class ConstantEditor {
public:
    static constexpr int kRows = 16;

    // One row of the table.
    struct Row {
        int entry = -1; // index into the entry list; -1 past its end (the row is empty)
        std::string contents;
        std::string value; // the value text; the edit text while this cell is edited
        std::string unit;
        bool valueEnabled = false; // false for read-only entries and empty rows
    };

    // The constants of `lines` on a copy of all of `image`; messages go to `sink` with the
    // caption "Edit Const". The focus is on the first row whose entry is not read-only.
    ConstantEditor(const config::CLineList& lines, const config::EcuImage& image,
                   text::MessageSink& sink);

    // No constant takes part: the dialog closes at once as if cancelled.
    bool empty() const { return m_entries.empty(); }
    int entryCount() const { return static_cast<int>(m_entries.size()); }
    // Entry `index` (below entryCount()).
    const maps::CalibEntry& entry(int index) const { return m_entries.at(index); }
    const config::EcuImage& workingCopy() const { return m_copy; }
    // The text of entry `index` as the editor shows it (two decimals when it has a point).
    std::string valueText(int index) const;

    // --- Rows and scrolling ---------------------------------------------------------------------
    // The entry shown in the first row.
    int topIndex() const { return m_top; }
    // The highest top index; the scroll bar shows only when it is above 0.
    int scrollMaximum() const;
    // Row `position` (0..15).
    Row row(int position) const;
    // Scrolls so that `top` (clamped to 0..scrollMaximum) is the first row. A focused cell is
    // committed first as leaving it would; the focus keeps its row position when that cell is
    // enabled, else goes to the first enabled row.
    void scrollTo(int top);
    // Opening at entry `index` (a click in the map bar's constant list): scrolls it into view
    // and gives its cell the focus; a read-only entry leaves the focus on the first enabled row.
    void focusEntry(int index);

    // --- Focus and cell states ------------------------------------------------------------------
    // The row whose cell has the focus; -1 when the focus is elsewhere.
    int focusRow() const { return m_focusRow; }
    bool editing() const { return m_editing; }
    // The cell at `position` gained the focus: it becomes selected. Ignored for disabled cells.
    void focusIn(int position);
    // The focus left the cell (to a button, the scroll bar): the cell is committed with
    // messages.
    void focusOut();
    // A click on the selected cell (not the click that gave it the focus) or a double click:
    // the cell begins editing.
    void clickToEdit() { beginEdit(); }

    // --- Keys and text --------------------------------------------------------------------------
    CellOutcome key(CellKey key);
    // A typed character: a digit or "-" on a selected cell begins editing with that character
    // as the text. Ignored while editing (the edit box takes it) and for other characters.
    CellOutcome typeCharacter(char c);
    // The edit box's text as the user changed it.
    void setEditText(std::string text);
    // Ctrl+C: the selected cell's whole text; nothing while editing (the edit box copies).
    std::optional<std::string> copyText() const;
    // Ctrl+V on a selected cell: the clipboard text (nothing: no text) replaces the cell's text
    // and is committed with messages. Ignored while editing.
    CellOutcome paste(std::optional<std::string_view> clipboardText);

    // --- Undo -----------------------------------------------------------------------------------
    bool canUndo() const { return !m_undo.empty(); }
    // Removes the newest undo record and stores its raw value again. An open edit is committed
    // first, as leaving the cell would.
    void undo();

private:
    struct UndoRecord {
        int entry;
        std::uint16_t raw;
        bool operator==(const UndoRecord&) const = default;
    };

    int focusedEntry() const;
    bool editable(int position) const;
    int firstEnabledRow() const;
    // The raw value of entry `index` in the working copy.
    std::uint16_t rawOf(int index) const;

    void beginEdit();
    // Ends editing; the undo record when the entry's raw value differs from the edit start.
    void endEdit();
    // Commits the focused cell's text into its entry. False when the commit failed or was
    // ignored, so that a step or a move that follows is not made.
    bool commit(bool withMessages);
    // Esc while editing: the entry and the text as they were when editing began.
    void revertEdit();
    // Moves the focus to the next enabled entry in `direction` (+1 down, -1 up), scrolling
    // when it lies outside the rows.
    void move(int direction);
    // Raises (`direction` +1) or lowers the focused entry's raw value by `amount` raw units,
    // against the raw value for kinds whose physical value falls as the raw value rises.
    void step(int direction, int amount);
    void show(const text::Status& status);
    void show(std::string_view text);

    std::vector<maps::CalibEntry> m_entries;
    config::EcuImage m_copy;
    text::MessageSink& m_sink;
    int m_top = 0;
    int m_focusRow = -1;
    bool m_editing = false;
    std::string m_editText;
    UndoRecord m_editStart{-1, 0};
    std::vector<UndoRecord> m_undo; // newest last
    bool m_showingMessage = false;
};

// Copies the editor's working copy back into the configuration's image, all 65536 bytes. When
// any byte changed, the free maps are laid out again and the document is marked modified.
// Returns whether a byte changed.
bool applyConstantEdits(Configuration& configuration, const config::EcuImage& workingCopy);

} // namespace qmx::app
