#pragma once

#include "app/constanteditor.h"

#include <QLineEdit>

#include <functional>

namespace qmx::ui {

// A value cell of the constant editor: an edit box that is read-only and drawn on a teal
// background while selected, and takes text while editing. It forwards its keys, clicks and
// focus changes to the editor and then tells the dialog, which shows the outcome.
class CellEdit : public QLineEdit {
    Q_OBJECT
public:
    static inline const QColor kSelected{64, 200, 200};

    // Cell `position` (0..15) of `editor`; `settle` runs after every input the editor took.
    CellEdit(int position, app::ConstantEditor& editor,
             std::function<void(app::CellOutcome)> settle, QWidget* parent = nullptr);

    enum class State { Unfocused, Selected, Editing };
    // Shows `text` in `state`; entering the editing state, or a new text while editing,
    // selects the whole text so that typing replaces it.
    void present(const QString& text, State state);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // The editor's reading of `event`: a cell key, the clipboard keys or a typed character.
    app::CellOutcome forward(QKeyEvent* event);
    void paintState(State state);

    int m_position;
    app::ConstantEditor& m_editor;
    std::function<void(app::CellOutcome)> m_settle;
    State m_state = State::Unfocused;
    bool m_focusedByClick = false; // the press that gave the focus does not begin editing
};

} // namespace qmx::ui
