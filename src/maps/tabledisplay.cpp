#include "maps/tabledisplay.h"

#include <algorithm>
#include <utility>

#include "maps/editstate.h"
#include "maps/mapcommit.h"

namespace qmx::maps {

TableDisplay::TableDisplay(const MapSet& maps, const DisplayFormats& formats, int cellWidth,
                           int cellHeight)
    : m_maps(maps), m_formats(formats), m_minimumWidth(cellWidth), m_minimumHeight(cellHeight) {
    m_layout.setCellSize(cellWidth, cellHeight);
}

std::vector<std::string> TableDisplay::cellTexts() const {
    std::vector<std::string> texts;
    const Map* current = m_maps.current();
    if (!current)
        return texts;
    const Map& m = *current;
    const config::EcuImage& image = m_maps.image();
    const auto add = [&](EditTarget target, int row, int index) {
        const CellRead read = readValue(m, image, target, row, index);
        if (read.result == Access::Ok)
            texts.push_back(rawValueText(m, target, read.value, m_formats));
    };
    for (const EditTarget target : {EditTarget::Y, EditTarget::X, EditTarget::Z}) {
        if (target != EditTarget::Y && !m.axesInImage())
            continue;
        const int cap = target == EditTarget::Y ? 0xFF : axisOf(m, target).rawCap();
        texts.push_back(rawValueText(m, target, 0, m_formats));
        texts.push_back(rawValueText(m, target, static_cast<std::uint16_t>(cap), m_formats));
    }
    for (int row = 0; row < m.rows(); ++row) {
        if (m.axesInImage())
            add(EditTarget::Z, row, row);
        else
            texts.push_back(m.z.label(row));
        for (int column = 0; column < m.columns(); ++column) {
            add(EditTarget::Y, row, column);
            if (m.hasXRowPerZ())
                add(EditTarget::X, row, column);
        }
    }
    for (int column = 0; column < m.columns(); ++column) {
        if (!m.axesInImage())
            texts.push_back(m.x.label(column));
        else if (!m.hasXRowPerZ())
            add(EditTarget::X, 0, column);
    }
    return texts;
}

void TableDisplay::fitCells(int widestText, int textHeight) {
    constexpr int kMargins = 2 * 4 + 1; // 4 pixels either side of the text, one grid line
    m_layout.setCellSize(std::max(m_minimumWidth, widestText + kMargins),
                         std::max(m_minimumHeight, textHeight + 2));
    syncExtent();
}

void TableDisplay::setViewSize(int width, int height) {
    m_layout.setViewSize(width, height);
    syncExtent();
}

int TableDisplay::rowsPerZ() const {
    const Map* current = m_maps.current();
    return current && current->hasXRowPerZ() ? 2 : 1;
}

void TableDisplay::syncExtent() {
    const Map* current = m_maps.current();
    if (current)
        m_layout.setExtent(current->columns(), current->rows() * rowsPerZ());
    else
        m_layout.setExtent(0, 0);
}

int TableDisplay::gridRowOf(EditTarget target, int row) const {
    const int perZ = rowsPerZ();
    return target == EditTarget::Y ? row * perZ + perZ - 1 : row * perZ;
}

TableHit TableDisplay::cellAt(const Map& map, LayoutHit hit) const {
    const int perZ = rowsPerZ();
    EditPosition at;
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

TableHit TableDisplay::hitTest(int x, int y) const {
    const Map* current = m_maps.current();
    return current ? cellAt(*current, m_layout.hit(x, y)) : TableHit{};
}

TablePicture TableDisplay::picture() const {
    TablePicture picture;
    picture.gridPane = m_layout.gridPane();
    const Map* current = m_maps.current();
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
            cell.text = rawValueText(m, EditTarget::Z, readZ(m, image, row).value, m_formats);
            cell.style = styleOf(EditTarget::Z, row, row);
        }
        picture.header.push_back(std::move(cell));
    }
    if (!m.hasXRowPerZ()) {
        for (int column = m_layout.firstColumn(); column < endColumn; ++column) {
            PaintCell cell{m_layout.xHeaderCell(column), m.x.label(column), CellStyle::Plain};
            if (m.axesInImage()) {
                cell.text =
                    rawValueText(m, EditTarget::X, readX(m, image, column).value, m_formats);
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
                                    rawValueText(m, target, read.value, m_formats),
                                    styleOf(target, row, column)});
        }
    }
    return picture;
}

std::string TableDisplay::caption() const {
    const Map* current = m_maps.current();
    return "TABLE -" + (current ? m_maps.link().title(current->name) : std::string{});
}

void TableDisplay::scrollToCurrent() {
    const Map* current = m_maps.current();
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

PixelRect TableDisplay::editRect() const {
    const Map* current = m_maps.current();
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

} // namespace qmx::maps
