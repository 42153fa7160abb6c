#pragma once

#include "app/constanteditor.h"

#include <QDialog>

#include <array>

class QGridLayout;
class QLabel;
class QPushButton;
class QScrollBar;

namespace qmx::ui {

class CellEdit;

// The modal "Edit Const" dialog: the calibration constants in a ruled table of 16 rows
// (contents, value cell, unit) with a scroll bar, and "&Undo", "&OK" and "&Cancel". It edits a
// private copy of the whole image; the caller copies workingCopy() back when it ends with OK.
// The table keeps the proportions of its columns as the dialog grows, and every column is at
// least as wide as its texts.
class ConstantEditorDialog : public QDialog {
    Q_OBJECT
public:
    // The constants of `lines` on a copy of `image`; messages go to `sink`.
    ConstantEditorDialog(const config::CLineList& lines, const config::EcuImage& image,
                         text::MessageSink& sink, QWidget* parent = nullptr);

    // False when no constant takes part: the dialog is not to be shown (as if cancelled).
    bool hasEntries() const { return !m_editor.empty(); }
    // Scrolls entry `index` (of the map bar's constant list) into view and focuses its cell.
    void focusEntry(int index);
    const config::EcuImage& workingCopy() const { return m_editor.workingCopy(); }

    // OK: a cell that is being edited is committed first, as leaving it would.
    void accept() override;

private:
    // Refreshes the rows before a message shows, so that the box stands over the stored value.
    class Messages : public text::MessageSink {
    public:
        Messages(ConstantEditorDialog& dialog, text::MessageSink& sink)
            : m_dialog(dialog), m_sink(sink) {}
        text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                          text::Buttons buttons) override;

    private:
        ConstantEditorDialog& m_dialog;
        text::MessageSink& m_sink;
    };

    void buildTable(QGridLayout& grid);
    // After an input of a cell: ends the dialog (Esc), moves to "&OK" (Tab), shows the rows.
    void settle(app::CellOutcome outcome);
    // Shows the editor's rows, cell states, scroll position and undo state; with `moveFocus`
    // the keyboard focus goes to the editor's focused cell first.
    void refresh(bool moveFocus);
    // Every column at least as wide as its texts (values change as they are edited).
    void fitColumns();

    Messages m_messages;
    app::ConstantEditor m_editor;
    QGridLayout* m_grid = nullptr;
    std::array<QLabel*, app::ConstantEditor::kRows> m_contents{};
    std::array<CellEdit*, app::ConstantEditor::kRows> m_cells{};
    std::array<QLabel*, app::ConstantEditor::kRows> m_units{};
    QScrollBar* m_scroll = nullptr;
    QPushButton* m_undo = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_refreshing = false;
};

} // namespace qmx::ui
