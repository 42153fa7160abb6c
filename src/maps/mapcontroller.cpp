#include "maps/mapcontroller.h"

#include <algorithm>

#include "maps/conversion.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "maps/rawstep.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

bool samePosition(const EditPosition& a, const EditPosition& b) {
    return a.target == b.target && a.row == b.row && a.index == b.index;
}

} // namespace

MapController::MapController(MapSet& maps, text::MessageSink& sink, const DisplayFormats& formats)
    : m_maps(maps), m_sink(sink), m_formats(formats) {
    mapChanged();
}

void MapController::setFont(LabelFont font) {
    m_font = std::move(font);
    layOut();
}

void MapController::resize(int width, int height) {
    if (width <= 0 || height <= 0)
        return;
    m_width = width;
    m_height = height;
    layOut();
}

void MapController::mapChanged() {
    m_drag = {};
    const Map* map = m_maps.current();
    m_range = map ? plotRange(*map, m_sink) : PlotRange{};
    layOut();
}

void MapController::layOut() {
    const Map* map = m_maps.current();
    if (map && m_width > 0 && m_height > 0)
        m_geometry = MapGeometry(*map, m_range, m_formats, m_font, m_width, m_height);
    else
        m_geometry = MapGeometry();
}

PlotPicture MapController::picture() const {
    const Map* map = m_maps.current();
    return map ? plotPicture(*map, m_maps.image(), m_geometry.scales()) : PlotPicture{};
}

PlotPicture MapController::dragBackground() const {
    const Map* map = m_maps.current();
    if (!map)
        return {};
    std::optional<int> open;
    if (m_drag.kind == DragKind::Point)
        open = m_drag.at.index;
    return plotPicture(*map, m_maps.image(), m_geometry.scales(), open);
}

std::vector<PlotStroke> MapController::dragStrokes() const {
    const Map* map = m_maps.current();
    if (!map || !m_drag.active())
        return {};
    const MapScales& s = m_geometry.scales();
    if (m_drag.kind == DragKind::Column) {
        const int x = s.xOfRaw(m_drag.edited);
        return {{{{x, 0}, {x, s.plotHeight}}, kGridColour, 2}};
    }
    const int colour = lineColour(m_drag.at.row);
    const int y = s.yOf(m_drag.edited);
    if (map->columns() == 1)
        return {flatStroke(s, y, colour, 2)};
    PlotStroke stroke{{}, colour, 2};
    if (m_drag.previous)
        stroke.points.push_back(*m_drag.previous);
    stroke.points.push_back({m_drag.point.x, y});
    if (m_drag.next)
        stroke.points.push_back(*m_drag.next);
    return {stroke};
}

std::string MapController::caption() const {
    const Map* map = m_maps.current();
    return "MAP - " + (map ? m_maps.link().title(map->name) : std::string{});
}

ValueTexts MapController::valueTexts() const {
    const Map* map = m_maps.current();
    if (!map)
        return {};
    ValueTexts texts = currentValueTexts(*map, m_maps.image(), m_formats);
    if (m_drag.kind == DragKind::Point)
        texts.data = formatY(toPhysical(map->y, m_drag.edited).value, *map, m_formats);
    else if (m_drag.kind == DragKind::Column)
        texts.x = formatX(toPhysical(map->x, m_drag.edited).value, m_formats);
    return texts;
}

std::uint16_t MapController::editedValue() const {
    if (m_drag.active())
        return m_drag.edited;
    const Map* map = m_maps.current();
    return map ? currentRaw(*map, m_maps.image()) : 0;
}

// --- Mouse -------------------------------------------------------------------------------------

MapEffect MapController::pressLeft(int x, int y) {
    Map* map = m_maps.current();
    if (!map || m_drag.active())
        return {};
    const PlotHit hit = hitTest(*map, m_maps.image(), m_geometry.scales(), x, y);
    if (hit.target == EditTarget::None)
        return {};
    if (samePosition({hit.target, hit.line, hit.index}, currentPosition(*map))) {
        beginDrag(*map, hit.target == EditTarget::Y ? DragKind::Point : DragKind::Column, {x, y});
        return {};
    }
    return hit.target == EditTarget::Y ? selectPoint(*map, hit.line, hit.index, false)
                                       : selectColumn(*map, hit.index);
}

void MapController::beginDrag(const Map& map, DragKind kind, PixelPoint at) {
    m_drag = MapDrag{};
    m_drag.kind = kind;
    m_drag.at = currentPosition(map);
    m_drag.start = currentRaw(map, m_maps.image());
    m_drag.edited = m_drag.start;
    m_drag.last = at;
    if (kind != DragKind::Point)
        return;
    const std::vector<PixelPoint> points =
        linePoints(map, m_maps.image(), m_geometry.scales(), map.editRow);
    const auto index = static_cast<std::size_t>(map.editIndex);
    if (index >= points.size())
        return;
    m_drag.point = points[index];
    if (index > 0)
        m_drag.previous = points[index - 1];
    if (index + 1 < points.size())
        m_drag.next = points[index + 1];
}

MapEffect MapController::moveTo(int x, int y) {
    const Map* map = m_maps.current();
    const MapScales& s = m_geometry.scales();
    if (!map || !m_drag.active() || x < 0 || y < 0 || x >= s.plotWidth || y >= s.plotHeight)
        return {};
    if (m_drag.last == PixelPoint{x, y})
        return {};
    m_drag.last = {x, y};
    const bool point = m_drag.kind == DragKind::Point;
    const int cap = point ? 0xFF : map->x.rawCap();
    const RawLimits limits = rawLimits(*map, m_maps.image());
    const int value = std::clamp(limits.apply(point ? s.rawAtY(y) : s.rawAtX(x)), 0, cap);
    if (value == m_drag.edited)
        return {};
    m_drag.edited = static_cast<std::uint16_t>(value);
    return {.valueShown = true};
}

MapEffect MapController::releaseLeft() {
    if (!m_drag.active())
        return {};
    const MapDrag drag = m_drag;
    m_drag = {};
    Map* map = m_maps.current();
    if (!map || !samePosition(drag.at, currentPosition(*map))) {
        m_sink.show(rejectionText(), text::messageText(text::msg::MapWindowCaption),
                    text::Icon::Error);
        return {.valueShown = true};
    }
    MapEffect effect{.valueShown = true};
    if (drag.edited == currentRaw(*map, m_maps.image()))
        return effect;
    const std::uint16_t raw =
        drag.kind == DragKind::Point ? droppedPointRaw(*map, drag.edited) : drag.edited;
    effect.valuesChanged =
        raw != drag.start && writeCurrentCell(m_maps, *map, raw, EditFamily::Drag, false);
    return effect;
}

MapEffect MapController::pressRight() {
    if (!m_drag.active())
        return {};
    m_drag = {};
    return {.valueShown = true};
}

// --- Keys --------------------------------------------------------------------------------------

MapEffect MapController::command(int code) {
    Map* map = m_maps.current();
    if (!map || m_drag.active())
        return {};
    if (map->target == EditTarget::Y)
        return pointCommand(*map, code);
    if (map->target == EditTarget::X && columnsSelectable(*map))
        return columnCommand(*map, code);
    return {};
}

bool MapController::takesPlainArrows() const {
    const Map* map = m_maps.current();
    return map && !m_drag.active() && map->target == EditTarget::X && columnsSelectable(*map);
}

bool MapController::endBlockSelection() {
    Map* map = m_maps.current();
    if (!map || map->selection.size() < 2)
        return false;
    map->selection.clearCells();
    return true;
}

MapEffect MapController::pointCommand(Map& map, int code) {
    using namespace tablecmd;
    switch (code) {
    case mapcmd::ArrowLeft:
    case Left:
    case ExtendLeft:
        return selectPoint(map, map.editRow, map.editIndex - 1, true);
    case mapcmd::ArrowRight:
    case Right:
    case ExtendRight:
        return selectPoint(map, map.editRow, map.editIndex + 1, true);
    case Up:
    case ExtendUp:
        return selectPoint(map, map.editRow - 1, map.editIndex, false);
    case Down:
    case ExtendDown:
        return selectPoint(map, map.editRow + 1, map.editIndex, false);
    case Raise:
        return stepPoint(map, 1);
    case RaiseTen:
        return stepPoint(map, 10);
    case Lower:
        return stepPoint(map, -1);
    case LowerTen:
        return stepPoint(map, -10);
    default:
        break;
    }
    return {};
}

MapEffect MapController::columnCommand(Map& map, int code) {
    switch (code) {
    case mapcmd::ArrowRight:
        return stepColumn(map, 1);
    case mapcmd::ArrowLeft:
        return stepColumn(map, -1);
    case mapcmd::ArrowUp:
        return selectColumn(map, map.editIndex + 1);
    case mapcmd::ArrowDown:
        return selectColumn(map, map.editIndex - 1);
    default:
        break;
    }
    return {};
}

MapEffect MapController::selectPoint(Map& map, int line, int point, bool anchor) {
    if (line < 0 || line >= map.rows() || point < 0 || point >= map.columns())
        return {};
    if (selectCell(map, m_maps.image(), EditTarget::Y, line, point) != Access::Ok)
        return {};
    map.selection.clearCells();
    if (anchor)
        map.selection.setAnchor({line, point});
    return {.selectionMoved = true, .valueShown = true};
}

MapEffect MapController::selectColumn(Map& map, int column) {
    if (column < 0 || column >= map.columns())
        return {};
    if (selectCell(map, m_maps.image(), EditTarget::X, map.editRow, column) != Access::Ok)
        return {};
    map.selection.clearCells();
    return {.selectionMoved = true, .valueShown = true};
}

MapEffect MapController::stepPoint(Map& map, int steps) {
    const std::optional<std::uint8_t> raw = steppedYRaw(
        map, static_cast<std::uint8_t>(currentRaw(map, m_maps.image())), steps, m_formats);
    if (!raw || !writeCurrentCell(m_maps, map, *raw, EditFamily::Step, false))
        return {};
    return {.valueShown = true, .valuesChanged = true};
}

MapEffect MapController::stepColumn(Map& map, int direction) {
    const RawLimits limits = rawLimits(map, m_maps.image());
    const int raw = currentRaw(map, m_maps.image()) + direction;
    if (raw < 0 || raw > map.x.rawCap() || (direction > 0 && raw > limits.highest) ||
        (direction < 0 && raw < limits.lowest))
        return {};
    if (!writeCurrentCell(m_maps, map, static_cast<std::uint16_t>(raw), EditFamily::Step, false))
        return {};
    return {.valueShown = true, .valuesChanged = true};
}

} // namespace qmx::maps
