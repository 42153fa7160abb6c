#pragma once

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>
#include <QWidget>

namespace qmx::ui {

// The kinds of document child window.
enum class WindowKind { None = 0, Map = 1, Hex = 2, Table = 3 };

// The common base of the windows a document view hosts: the operations by which the frame and
// the other windows of the document reach it.
class DocChildWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual WindowKind kind() const = 0;
    // Redraws the window.
    virtual void repaintWindow() = 0;
    // Another window of the document changed map values.
    virtual void refreshAfterChange() = 0;
    // A window of the document gained the focus, or everything changed (read, undo).
    virtual void refreshAfterFocus() = 0;
    // Another window showed a new value (`value` raw, from a window of `origin`).
    virtual void valueChanged(int value, WindowKind origin) = 0;
    // A keyboard command of the main frame, by its code (7..32).
    virtual void editOperation(int code) = 0;
    // The current map of the document changed: lay out and redraw.
    virtual void mapChanged() = 0;
    virtual void cut() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    // Asks for a repaint from the event loop; with `focusEditor` the window's editor takes the
    // focus.
    virtual void postRepaint(bool focusEditor) = 0;
    // Whether a block selection of two or more cells exists.
    virtual bool hasBlockSelection() const = 0;
    // The frame caption the window asks for.
    virtual QString caption() const = 0;

    // Whether the frame that holds this window is the active one of its document area.
    bool frameActive() const {
        for (QWidget* w = parentWidget(); w; w = w->parentWidget())
            if (auto* frame = qobject_cast<QMdiSubWindow*>(w))
                return frame->mdiArea() && frame->mdiArea()->activeSubWindow() == frame;
        return false;
    }

signals:
    // The window wrote map values: the other windows of the document refresh.
    void valuesEdited();
    // Another cell became current in this window: the other windows of the document follow.
    void selectionMoved();
    // The caption changed.
    void captionChanged(const QString& caption);
    // The edit state changed (current cell, selection): commands may need enabling again.
    void stateChanged();
};

} // namespace qmx::ui
