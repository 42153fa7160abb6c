#include "maps/tablecontroller.h"

#include <algorithm>
#include <utility>

#include "maps/clipboard.h"
#include "maps/conversion.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "maps/rawstep.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

// A value of the map: for Y and per-row X values a row and column, for a single-row X value
// the column (row is the edit row), for a Z value its index (row = index).
struct Position {
    EditTarget target = EditTarget::None;
    int row = 0;
    int index = 0;
};

Position currentPosition(const Map& map) {
    return {map.target, map.editRow, map.editIndex};
}

Access select(Map& map, const config::EcuImage& image, const Position& at) {
    return selectCell(map, image, at.target, at.row, at.index);
}

struct Direction {
    int rows = 0;
    int columns = 0;
};

Direction directionOf(int code) {
    switch (code) {
    case tablecmd::Up:
    case tablecmd::ExtendUp:
    case tablecmd::MoveUp:
        return {-1, 0};
    case tablecmd::Down:
    case tablecmd::ExtendDown:
    case tablecmd::MoveDown:
        return {1, 0};
    case tablecmd::Left:
    case tablecmd::ExtendLeft:
    case tablecmd::MoveLeft:
        return {0, -1};
    default:
        break;
    }
    return {0, 1};
}

bool inside(int value, int count) {
    return value >= 0 && value < count;
}

// Where a plain move from `from` goes: rows and columns of the grid, column 0 leading left
// onto the row's Z value, maps with an X row per Z value stepping through that row and the
// Y row in turn; axis values move along their axis and step back into the grid.
std::optional<Position> moveTarget(const Map& map, const Position& from, Direction d) {
    const bool perRow = map.hasXRowPerZ();
    const int rows = map.rows();
    const int columns = map.columns();
    const int column = from.index + d.columns;
    switch (from.target) {
    case EditTarget::Y:
        if (d.columns != 0) {
            if (inside(column, columns))
                return Position{EditTarget::Y, from.row, column};
            if (column < 0 && map.axesInImage())
                return Position{EditTarget::Z, from.row, from.row};
            return std::nullopt;
        }
        if (perRow) {
            const int xRow = d.rows < 0 ? from.row : from.row + 1;
            if (inside(xRow, rows))
                return Position{EditTarget::X, xRow, from.index};
            return std::nullopt;
        }
        if (inside(from.row + d.rows, rows))
            return Position{EditTarget::Y, from.row + d.rows, from.index};
        return std::nullopt;
    case EditTarget::X:
        if (d.columns != 0) {
            if (inside(column, columns))
                return Position{EditTarget::X, from.row, column};
            if (column < 0 && perRow)
                return Position{EditTarget::Z, from.row, from.row};
            return std::nullopt;
        }
        if (!perRow)
            return d.rows > 0 && rows > 0 ? std::optional(Position{EditTarget::Y, 0, from.index})
                                          : std::nullopt;
        if (d.rows > 0)
            return Position{EditTarget::Y, from.row, from.index};
        if (from.row > 0)
            return Position{EditTarget::Y, from.row - 1, from.index};
        return std::nullopt;
    case EditTarget::Z:
        if (d.rows != 0) {
            const int row = from.index + d.rows;
            return inside(row, rows) ? std::optional(Position{EditTarget::Z, row, row})
                                     : std::nullopt;
        }
        if (d.columns > 0 && columns > 0)
            return Position{perRow ? EditTarget::X : EditTarget::Y, from.index, 0};
        return std::nullopt;
    case EditTarget::None:
        break;
    }
    return std::nullopt;
}

std::string rawText(const Map& map, EditTarget target, std::uint16_t raw,
                    const DisplayFormats& formats) {
    return formatTarget(toPhysical(axisOf(map, target), raw).value, map, target, formats);
}

void dropSelection(Map& map) {
    map.selection.clearCells();
    map.selection.setAnchor(GridCell{});
}

bool isAxisValue(const Map& map) {
    return map.target == EditTarget::Z || (map.target == EditTarget::X && !map.hasXRowPerZ());
}

} // namespace

TableController::TableController(MapSet& maps, text::MessageSink& sink,
                                 const DisplayFormats& formats, int cellWidth, int cellHeight)
    : m_maps(maps), m_sink(sink), m_formats(formats) {
    m_layout.setCellSize(cellWidth, cellHeight);
    refresh();
}

void TableController::setCellSize(int width, int height) {
    m_layout.setCellSize(width, height);
    syncExtent();
}

void TableController::setViewSize(int width, int height) {
    m_layout.setViewSize(width, height);
    syncExtent();
}

void TableController::scrollTo(int firstColumn, int firstRow) {
    m_layout.scrollTo(firstColumn, firstRow);
}

void TableController::refresh() {
    syncExtent();
    if (Map* current = map())
        selectFirstCell(*current, m_maps.image());
}

int TableController::rowsPerZ() const {
    const Map* current = map();
    return current && current->hasXRowPerZ() ? 2 : 1;
}

void TableController::syncExtent() {
    const Map* current = map();
    if (current)
        m_layout.setExtent(current->columns(), current->rows() * rowsPerZ());
    else
        m_layout.setExtent(0, 0);
}

int TableController::gridRowOf(EditTarget target, int row) const {
    const int perZ = rowsPerZ();
    return target == EditTarget::Y ? row * perZ + perZ - 1 : row * perZ;
}

TableHit TableController::cellAt(const Map& map, LayoutHit hit) const {
    const int perZ = rowsPerZ();
    Position at;
    switch (hit.area) {
    case TableArea::Grid:
        if (perZ == 2 && hit.gridRow % 2 == 0)
            at = {EditTarget::X, hit.gridRow / 2, hit.column};
        else
            at = {EditTarget::Y, hit.gridRow / perZ, hit.column};
        break;
    case TableArea::ZHeader:
        if (!map.axesInImage() || hit.gridRow % perZ != 0)
            return {};
        at = {EditTarget::Z, hit.gridRow / perZ, hit.gridRow / perZ};
        break;
    case TableArea::XHeader:
        if (!map.axesInImage() || map.hasXRowPerZ())
            return {};
        at = {EditTarget::X, map.editRow, hit.column};
        break;
    case TableArea::None:
        return {};
    }
    const CellRead read = readValue(map, m_maps.image(), at.target, at.row, at.index);
    if (read.result != Access::Ok)
        return {};
    return {at.target, at.row, at.index, read.value};
}

TableHit TableController::hitTest(int x, int y) const {
    const Map* current = map();
    return current ? cellAt(*current, m_layout.hit(x, y)) : TableHit{};
}

TablePicture TableController::picture() const {
    TablePicture picture;
    picture.gridPane = m_layout.gridPane();
    const Map* current = map();
    if (!current)
        return picture;
    const Map& m = *current;
    const config::EcuImage& image = m_maps.image();
    picture.emptyArea = m_layout.emptyArea();
    const int perZ = rowsPerZ();
    const int endColumn = std::min(m_layout.endColumn(), m.columns());
    const int endRow = std::min(m_layout.endRow(), m.rows() * perZ);
    auto styleOf = [&](EditTarget target, int row, int index) {
        const bool isCurrent = m.target == target && m.editIndex == index &&
                               (target == EditTarget::Z || m.editRow == row);
        if (isCurrent)
            return CellStyle::Current;
        return target == EditTarget::Y && m.selection.contains({row, index}) ? CellStyle::Selected
                                                                             : CellStyle::Plain;
    };

    for (int gridRow = m_layout.firstRow(); gridRow < endRow; ++gridRow) {
        if (gridRow % perZ != 0)
            continue;
        const int row = gridRow / perZ;
        PaintCell cell{m_layout.zHeaderCell(gridRow), m.z.label(row), CellStyle::Plain};
        if (m.axesInImage()) {
            cell.text = rawText(m, EditTarget::Z, readZ(m, image, row).value, m_formats);
            cell.style = styleOf(EditTarget::Z, row, row);
        }
        picture.header.push_back(std::move(cell));
    }
    if (!m.hasXRowPerZ()) {
        for (int column = m_layout.firstColumn(); column < endColumn; ++column) {
            PaintCell cell{m_layout.xHeaderCell(column), m.x.label(column), CellStyle::Plain};
            if (m.axesInImage()) {
                cell.text = rawText(m, EditTarget::X, readX(m, image, column).value, m_formats);
                cell.style = m.target == EditTarget::X && m.editIndex == column ? CellStyle::Current
                                                                                : CellStyle::Plain;
            }
            picture.header.push_back(std::move(cell));
        }
    }
    for (int gridRow = m_layout.firstRow(); gridRow < endRow; ++gridRow) {
        const bool xRow = perZ == 2 && gridRow % 2 == 0;
        const EditTarget target = xRow ? EditTarget::X : EditTarget::Y;
        const int row = gridRow / perZ;
        for (int column = m_layout.firstColumn(); column < endColumn; ++column) {
            const CellRead read = readValue(m, image, target, row, column);
            picture.grid.push_back({m_layout.gridCell(gridRow, column),
                                    rawText(m, target, read.value, m_formats),
                                    styleOf(target, row, column)});
        }
    }
    return picture;
}

std::string TableController::caption() const {
    const Map* current = map();
    return "TABLE -" + (current ? m_maps.link().title(current->name) : std::string{});
}

void TableController::scrollToCurrent() {
    const Map* current = map();
    if (!current)
        return;
    const Map& m = *current;
    switch (m.target) {
    case EditTarget::Y:
        m_layout.ensureVisible(gridRowOf(EditTarget::Y, m.editRow), m.editIndex);
        break;
    case EditTarget::X:
        m_layout.ensureVisible(m.hasXRowPerZ() ? gridRowOf(EditTarget::X, m.editRow) : -1,
                               m.editIndex);
        break;
    case EditTarget::Z:
        m_layout.ensureVisible(gridRowOf(EditTarget::Z, m.editIndex), -1);
        break;
    case EditTarget::None:
        break;
    }
}

PixelRect TableController::editRect() const {
    const Map* current = map();
    if (!current)
        return {};
    const Map& m = *current;
    switch (m.target) {
    case EditTarget::Y:
        return m_layout.gridCell(gridRowOf(EditTarget::Y, m.editRow), m.editIndex);
    case EditTarget::X:
        if (m.hasXRowPerZ())
            return m_layout.gridCell(gridRowOf(EditTarget::X, m.editRow), m.editIndex);
        return m_layout.xHeaderCell(m.editIndex);
    case EditTarget::Z:
        return m_layout.zHeaderCell(gridRowOf(EditTarget::Z, m.editIndex));
    case EditTarget::None:
        break;
    }
    return {};
}

TableEffect TableController::mousePress(int x, int y, bool shift) {
    const TableHit hit = hitTest(x, y);
    if (hit.target == EditTarget::None)
        return {false, false};
    TableEffect effect = settleEdit();
    Map& m = *map();
    const config::EcuImage& image = m_maps.image();
    if (hit.target == EditTarget::Y) {
        const GridCell cell{hit.row, hit.index};
        if (shift) {
            GridCell anchor = m.selection.anchor();
            if (!anchor.valid())
                anchor = m.target == EditTarget::Y ? GridCell{m.editRow, m.editIndex} : cell;
            m.selection.setAnchor(anchor);
            selectRectangle(m, image, anchor, cell);
        } else {
            selectSingle(m, image, cell);
        }
    } else {
        dropSelection(m);
    }
    select(m, image, {hit.target, hit.row, hit.index});
    const bool gridCell =
        hit.target == EditTarget::Y || (hit.target == EditTarget::X && m.hasXRowPerZ());
    m_mouseDown = gridCell;
    if (!gridCell)
        scrollToCurrent();
    return effect;
}

void TableController::mouseMove(int x, int y, bool leftHeld) {
    if (!leftHeld) {
        m_mouseDown = false;
        return;
    }
    Map* current = map();
    if (!m_mouseDown || !current || current->target != EditTarget::Y)
        return;
    Map& m = *current;
    const TableHit hit = hitTest(x, y);
    if (hit.target != EditTarget::Y || (hit.row == m.editRow && hit.index == m.editIndex))
        return;
    if (m.hasXRowPerZ() && hit.row != m.editRow)
        return;
    GridCell anchor = m.selection.anchor();
    if (!anchor.valid()) {
        anchor = {m.editRow, m.editIndex};
        m.selection.setAnchor(anchor);
    }
    select(m, m_maps.image(), {EditTarget::Y, hit.row, hit.index});
    selectRectangle(m, m_maps.image(), anchor, {hit.row, hit.index});
}

TableEffect TableController::mouseDoubleClick(int x, int y) {
    const TableHit hit = hitTest(x, y);
    if (m_editing || hit.target == EditTarget::None)
        return {false, false};
    Map& m = *map();
    const bool yCell = hit.target == EditTarget::Y && !m.hasXRowPerZ();
    const bool axis =
        hit.target == EditTarget::Z || (hit.target == EditTarget::X && !m.hasXRowPerZ());
    if (!yCell && !axis)
        return {false, false};
    if (axis)
        dropSelection(m);
    select(m, m_maps.image(), {hit.target, hit.row, hit.index});
    openEdit(currentCellText(m, m_formats), false);
    return {};
}

TableEffect TableController::typeCharacter(char c) {
    const Map* current = map();
    if (m_editing || !current || current->target != EditTarget::Y)
        return {false, false};
    if ((c < '0' || c > '9') && c != '-')
        return {false, false};
    openEdit(std::string(1, c), true);
    return {};
}

TableEffect TableController::command(int code) {
    using namespace tablecmd;
    switch (code) {
    case Enter:
        return commitEdit();
    case EditBox: {
        const Map* current = map();
        if (!m_editing && current && current->target != EditTarget::None)
            openEdit(currentCellText(*current, m_formats), false);
        return {};
    }
    case Raise:
        return step(1);
    case Lower:
        return step(-1);
    case RaiseTen:
        return step(10);
    case LowerTen:
        return step(-10);
    case Up:
    case Down:
    case Left:
    case Right:
        if (m_editing)
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
    TableEffect effect = settleEdit();
    Map* current = map();
    if (!current)
        return effect;
    Map& m = *current;
    const std::optional<Position> to = moveTarget(m, currentPosition(m), directionOf(code));
    if (!to || select(m, m_maps.image(), *to) != Access::Ok)
        return effect;
    if (to->target == EditTarget::Y)
        selectSingle(m, m_maps.image(), {to->row, to->index});
    else
        dropSelection(m);
    scrollToCurrent();
    return effect;
}

TableEffect TableController::extendSelection(int code) {
    Map* current = map();
    if (!current || current->target != EditTarget::Y)
        return moveCurrent(code); // axis values and per-row X values just move
    TableEffect effect = settleEdit();
    Map& m = *current;
    const Direction d = directionOf(code);
    const GridCell from{m.editRow, m.editIndex};
    const GridCell to{from.row + d.rows, from.column + d.columns};
    if (select(m, m_maps.image(), {EditTarget::Y, to.row, to.column}) != Access::Ok)
        return effect;
    GridCell anchor = m.selection.anchor();
    if (!anchor.valid()) {
        anchor = from;
        m.selection.setAnchor(anchor);
    }
    selectRectangle(m, m_maps.image(), anchor, to);
    scrollToCurrent();
    return effect;
}

TableEffect TableController::step(int steps) {
    TableEffect effect = settleEdit();
    Map* current = map();
    if (!current)
        return effect;
    Map& m = *current;
    const config::EcuImage& image = m_maps.image();
    auto stepCurrent = [&](bool grouped) {
        const auto raw = steppedYRaw(m, static_cast<std::uint8_t>(m.currentRaw), steps, m_formats);
        if (!raw || !writeCurrentCell(m_maps, m, *raw, EditFamily::Step, grouped))
            return false;
        m.selection.update({m.editRow, m.editIndex}, yPhysical(m, image, {m.editRow, m.editIndex}));
        return true;
    };

    if (m.selection.size() >= 2) {
        const Position origin = currentPosition(m);
        bool wrote = false;
        for (const auto& entry : m.selection.cells()) {
            const GridCell cell = entry.first;
            if (selectCell(m, image, EditTarget::Y, cell.row, cell.column) == Access::Ok &&
                stepCurrent(wrote))
                wrote = true;
        }
        select(m, image, origin);
        effect.valuesChanged = effect.valuesChanged || wrote;
        return effect;
    }
    if (m.target != EditTarget::Y)
        return effect;
    if (stepCurrent(false))
        effect.valuesChanged = true;
    openEdit(currentCellText(m, m_formats), false);
    return effect;
}

void TableController::setEditText(std::string text) {
    if (text == m_editText)
        return;
    m_editText = std::move(text);
    m_editChanged = true;
}

void TableController::openEdit(std::string text, bool changed) {
    m_editing = true;
    m_editText = std::move(text);
    m_editChanged = changed;
}

TableEffect TableController::settleEdit() {
    if (m_editing && m_editChanged)
        return commitEdit();
    m_editing = false;
    return {};
}

TableEffect TableController::commitEdit() {
    if (!m_editing)
        return {};
    m_editing = false;
    m_editChanged = false;
    Map* current = map();
    if (!current)
        return {};
    Map& m = *current;
    const CommitOutcome outcome = isAxisValue(m)
                                      ? commitAxisValue(m_maps, m, m_editText, m_formats)
                                      : commitTypedCell(m_maps, m, m_editText, m_formats);
    if (outcome.message != text::msg::Success) {
        showError();
        return {};
    }
    if (outcome.warning)
        m_sink.show(outcome.warning->text(), text::messageText(text::msg::TableWindowCaption),
                    text::Icon::Exclamation);
    bool changed = outcome.written;
    if (m.target == EditTarget::Y) {
        const GridCell cell{m.editRow, m.editIndex};
        m.selection.update(cell, yPhysical(m, m_maps.image(), cell));
        if (m.selection.size() >= 2)
            changed = writeToSelection(m, outcome.written) || changed;
    }
    return {true, changed};
}

bool TableController::writeToSelection(Map& map, bool grouped) {
    const config::EcuImage& image = m_maps.image();
    const std::uint16_t raw = map.currentRaw;
    const Position origin = currentPosition(map);
    bool wrote = false;
    for (const auto& entry : map.selection.cells()) {
        const GridCell cell = entry.first;
        if (cell.row == origin.row && cell.column == origin.index)
            continue;
        if (selectCell(map, image, EditTarget::Y, cell.row, cell.column) != Access::Ok)
            continue;
        if (writeCurrentCell(m_maps, map, raw, EditFamily::Edit, grouped || wrote)) {
            wrote = true;
            map.selection.update(cell, yPhysical(map, image, cell));
        }
    }
    select(map, image, origin);
    return wrote;
}

std::optional<std::string> TableController::copyText() {
    Map* current = map();
    if (!current)
        return std::nullopt;
    Map& m = *current;
    if (!m.selection.empty())
        return selectionText(m, m_maps.image(), m_formats);
    if (m_editing)
        return m_editText;
    if (m.target == EditTarget::X || m.target == EditTarget::Z) {
        const CellRead read = readValue(m, m_maps.image(), m.target, m.editRow, m.editIndex);
        if (read.result == Access::Ok)
            return rawText(m, m.target, read.value, m_formats);
    }
    return std::nullopt;
}

TableEffect TableController::paste(std::optional<std::string_view> clipboardText) {
    Map* current = map();
    if (!current)
        return {false, false};
    Map& m = *current;
    const bool yTarget = m.target == EditTarget::Y;
    if (m_editing && !yTarget)
        return {false, false};
    const ClipRead read = readClipTable(clipboardText);
    if (read.result != ClipResult::Table) {
        showWarning(clipResultMessage(read.result));
        return {};
    }
    const std::vector<ClipEntry>& entries = read.table.entries;
    if (yTarget) {
        const bool wasEditing = std::exchange(m_editing, false); // pasted values replace typing
        const text::Status message = pasteIntoCells(m_maps, m, read.table, m_formats);
        if (message == text::msg::PasteDuringSelection) {
            m_editing = wasEditing;
            showWarning(message.message());
            return {};
        }
        if (message == text::msg::DataError)
            showError();
        return {true, !entries.empty()};
    }
    if (m.target == EditTarget::None || entries.empty())
        return {};
    if (entries.size() > 1) {
        showWarning(text::msg::PasteDuringSelection);
        return {};
    }
    openEdit(formatTarget(entries.front().value, m, m.target, m_formats), true);
    return commitEdit();
}

void TableController::showWarning(int message) {
    m_sink.show(text::messageText(message), "", text::Icon::Exclamation);
}

void TableController::showError() {
    m_sink.show(rejectionText(), text::messageText(text::msg::TableWindowCaption),
                text::Icon::Error);
}

} // namespace qmx::maps
