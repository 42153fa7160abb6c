#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "maps/displayformat.h"
#include "maps/mapset.h"
#include "maps/tablecommands.h"
#include "text/messagesink.h"

// Changing values in the table window: the in-place edit box and its commit, raising and
// lowering, copy and paste. Every write goes through the map set and its undo hook; every
// message through the message sink.
namespace qmx::maps {

class TableEditor {
public:
    // Edits the current map of `maps` with `formats`; messages go to `sink`. All three must
    // outlive the editor.
    TableEditor(MapSet& maps, text::MessageSink& sink, const DisplayFormats& formats);

    bool editing() const { return m_editing; }
    const std::string& editText() const { return m_editText; }
    // The text as the user changed it in the edit box.
    void setEditText(std::string text);
    // Opens the edit box on the current cell with its value (F2, a double click); nothing when
    // no cell is current or the box is open.
    void openOnCurrent();
    // A typed character: "0" to "9" or "-" on a current Y cell opens the edit box with it.
    // handled is false when the edit box is open (it takes the character) or nothing happened.
    TableEffect typeCharacter(char c);
    // Commits the edit box (Enter, a change of display): Y values and per-row X values by the
    // typed-value rules, then the resulting raw value into every other selected cell as one
    // undo group; axis values by the axis rules. Shows the range warning or the data error
    // (then the cell keeps its value). The box closes in every case.
    TableEffect commit();
    // Before the current cell changes: commits the edit box when its text was changed, else
    // closes it.
    TableEffect settle();
    // Closes the edit box without writing (Escape).
    void cancel() { m_editing = false; }

    // Raises (`steps` > 0) or lowers the selected Y values, or the current one when fewer than
    // two are selected (then the edit box opens on its new value), by the raise/lower rules.
    TableEffect step(int steps);

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
    void open(std::string text, bool changed);
    bool writeToSelection(Map& map, bool grouped);
    void showWarning(int message);
    void showError();

    MapSet& m_maps;
    text::MessageSink& m_sink;
    const DisplayFormats& m_formats;
    bool m_editing = false;
    bool m_editChanged = false; // the user changed the text since the box opened
    std::string m_editText;
};

} // namespace qmx::maps
