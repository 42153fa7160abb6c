#include "maps/tablecontroller.h"

#include "maps/editstate.h"

namespace qmx::maps {

TableController::TableController(MapSet& maps, text::MessageSink& sink,
                                 const DisplayFormats& formats, int cellWidth, int cellHeight)
    : m_maps(maps), m_formats(formats), m_display(maps, m_formats, cellWidth, cellHeight),
      m_navigation(maps), m_editor(maps, sink, m_formats) {
    refresh();
}

void TableController::refresh() {
    m_display.syncExtent();
    if (Map* current = m_maps.current())
        selectFirstCell(*current, m_maps.image());
}

TableEffect TableController::mousePress(int x, int y, bool shift) {
    const TableHit hit = m_display.hitTest(x, y);
    if (hit.target == EditTarget::None)
        return {false, false};
    const TableEffect effect = m_editor.settle();
    m_navigation.press(hit, shift);
    if (!m_navigation.mouseDown())
        m_display.scrollToCurrent();
    return effect;
}

void TableController::mouseMove(int x, int y, bool leftHeld) {
    if (!leftHeld) {
        m_navigation.release();
        return;
    }
    if (m_navigation.mouseDown())
        m_navigation.drag(m_display.hitTest(x, y));
}

TableEffect TableController::mouseDoubleClick(int x, int y) {
    if (m_editor.editing() || !m_navigation.selectForEditing(m_display.hitTest(x, y)))
        return {false, false};
    m_editor.openOnCurrent();
    return {};
}

TableEffect TableController::command(int code) {
    using namespace tablecmd;
    switch (code) {
    case Enter:
        return m_editor.commit();
    case EditBox:
        m_editor.openOnCurrent();
        return {};
    case Raise:
        return m_editor.step(1);
    case Lower:
        return m_editor.step(-1);
    case RaiseTen:
        return m_editor.step(10);
    case LowerTen:
        return m_editor.step(-10);
    case Up:
    case Down:
    case Left:
    case Right:
        if (m_editor.editing())
            return {false, false};
        return moveCurrent(code);
    case MoveUp:
    case MoveDown:
    case MoveLeft:
    case MoveRight:
        return moveCurrent(code);
    case ExtendUp:
    case ExtendDown:
    case ExtendLeft:
    case ExtendRight:
        return extendSelection(code);
    case 8:
    case 17:
    case 18:
    case 19:
    case 24:
    case 25:
    case 26:
        return {};
    default:
        break;
    }
    return {false, false};
}

TableEffect TableController::moveCurrent(int code) {
    const TableEffect effect = m_editor.settle();
    if (m_navigation.move(code))
        m_display.scrollToCurrent();
    return effect;
}

TableEffect TableController::extendSelection(int code) {
    const Map* current = m_maps.current();
    if (!current || current->target != EditTarget::Y)
        return moveCurrent(code); // axis values and per-row X values just move
    const TableEffect effect = m_editor.settle();
    if (m_navigation.extend(code))
        m_display.scrollToCurrent();
    return effect;
}

} // namespace qmx::maps
