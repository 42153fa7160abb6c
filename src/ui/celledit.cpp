#include "ui/celledit.h"

#include "ui/textcodec.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <optional>

namespace qmx::ui {

namespace {

using app::CellKey;

std::optional<CellKey> cellKey(const QKeyEvent& event) {
    if (event.matches(QKeySequence::Undo))
        return CellKey::Undo;
    const Qt::KeyboardModifiers mods = event.modifiers() & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    const bool shift = mods == Qt::ShiftModifier;
    if (!plain && !shift)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Up:
        return shift ? CellKey::ShiftUp : CellKey::Up;
    case Qt::Key_Down:
        return shift ? CellKey::ShiftDown : CellKey::Down;
    case Qt::Key_PageUp:
        return shift ? CellKey::ShiftPageUp : CellKey::PageUp;
    case Qt::Key_PageDown:
        return shift ? CellKey::ShiftPageDown : CellKey::PageDown;
    default:
        break;
    }
    if (!plain)
        return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CellKey::Enter;
    case Qt::Key_Escape:
        return CellKey::Escape;
    case Qt::Key_Tab:
        return CellKey::Tab;
    case Qt::Key_Left:
        return CellKey::Left;
    case Qt::Key_Right:
        return CellKey::Right;
    case Qt::Key_F2:
        return CellKey::F2;
    default:
        return std::nullopt;
    }
}

bool isClipboardKey(const QKeyEvent& event) {
    return event.matches(QKeySequence::Copy) || event.matches(QKeySequence::Paste);
}

// The one character a key typed; 0 for none.
char typedCharacter(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.size() != 1 || event.modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return 0;
    const QChar c = text.front();
    return c.unicode() >= 0x20 && c.unicode() < 0x7F ? static_cast<char>(c.unicode()) : 0;
}

} // namespace

CellEdit::CellEdit(int position, app::ConstantEditor& editor,
                   std::function<void(app::CellOutcome)> settle, QWidget* parent)
    : QLineEdit(parent), m_position(position), m_editor(editor), m_settle(std::move(settle)) {
    setFrame(false);
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    paintState(State::Unfocused);
    connect(this, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_editor.setEditText(bytesFromText(text)); });
}

void CellEdit::present(const QString& text, State state) {
    const bool entering = state == State::Editing && m_state != State::Editing;
    setReadOnly(state != State::Editing);
    if (text != this->text()) {
        setText(text);
        if (state == State::Editing)
            selectAll();
    } else if (entering) {
        selectAll();
    }
    if (state != State::Editing)
        deselect();
    if (state != m_state)
        paintState(state);
    m_state = state;
}

void CellEdit::paintState(State state) {
    QPalette colours = palette();
    const QColor base = state == State::Selected ? kSelected : QColor(Qt::white);
    colours.setColor(QPalette::Active, QPalette::Base, base);
    colours.setColor(QPalette::Inactive, QPalette::Base, base);
    colours.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
    colours.setColor(QPalette::Active, QPalette::Text, Qt::black);
    colours.setColor(QPalette::Inactive, QPalette::Text, Qt::black);
    setPalette(colours);
}

bool CellEdit::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab is the cell's own key (to "&OK"), not the dialog's focus chain; the clipboard and
        // step keys belong to the cell, not to a shortcut.
        if (cellKey(*key) || isClipboardKey(*key)) {
            if (event->type() == QEvent::ShortcutOverride) {
                event->accept();
                return true;
            }
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

app::CellOutcome CellEdit::forward(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        const std::optional<std::string> copied = m_editor.copyText();
        if (!copied)
            return app::CellOutcome::Ignored;
        QGuiApplication::clipboard()->setText(textFromBytes(*copied));
        return app::CellOutcome::Handled;
    }
    if (event->matches(QKeySequence::Paste)) {
        const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
        std::optional<std::string> text;
        if (clip && clip->hasText())
            text = bytesFromText(clip->text());
        return m_editor.paste(text);
    }
    if (const std::optional<CellKey> key = cellKey(*event))
        return m_editor.key(*key);
    if (const char c = typedCharacter(*event))
        return m_editor.typeCharacter(c);
    return app::CellOutcome::Ignored;
}

void CellEdit::keyPressEvent(QKeyEvent* event) {
    // Keys reach the focused cell only; the editor may not have heard of the focus yet when the
    // window was not active as it moved.
    m_editor.focusIn(m_position);
    const bool wasEditing = m_editor.editing();
    const app::CellOutcome outcome = forward(event);
    if (outcome == app::CellOutcome::Ignored) {
        if (wasEditing)
            QLineEdit::keyPressEvent(event);
        else
            event->ignore();
        return;
    }
    event->accept();
    m_settle(outcome);
    // A typed character began the edit: the caret goes after it, so that typing goes on.
    if (!wasEditing && m_editor.editing() && typedCharacter(*event)) {
        deselect();
        setCursorPosition(int(text().size()));
    }
}

void CellEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_focusedByClick = event->reason() == Qt::MouseFocusReason;
    m_editor.focusIn(m_position);
    m_settle(app::CellOutcome::Handled);
}

void CellEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    m_focusedByClick = false;
    // A message box or a menu over the dialog does not take the focus from the cell.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (m_editor.focusRow() != m_position)
        return;
    m_editor.focusOut();
    m_settle(app::CellOutcome::Handled);
}

void CellEdit::mousePressEvent(QMouseEvent* event) {
    if (m_state == State::Editing) {
        QLineEdit::mousePressEvent(event);
        return;
    }
    if (m_focusedByClick) {
        m_focusedByClick = false;
        return;
    }
    m_editor.clickToEdit();
    m_settle(app::CellOutcome::Handled);
}

void CellEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_state == State::Editing) {
        QLineEdit::mouseDoubleClickEvent(event);
        return;
    }
    m_editor.clickToEdit();
    m_settle(app::CellOutcome::Handled);
}

} // namespace qmx::ui
