#include "maps/hexcontroller.h"

#include <algorithm>
#include <cstdio>

#include "config/linerules.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

// A byte as the view shows it: two upper-case hexadecimal digits at least.
std::string byteHex(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X", value);
    return text;
}

// A row address ("%X") or a column heading ("+%X").
std::string plainHex(unsigned value, bool heading) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%X", heading ? "+" : "", value);
    return text;
}

// The value of a typed text of hexadecimal digits, capped just above any 16-bit value; nothing
// when the text is empty or holds anything else.
std::optional<std::int32_t> readHexText(std::string_view text) {
    if (text.empty() || text.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
        return std::nullopt;
    const std::size_t significant = text.find_first_not_of('0');
    if (significant == std::string_view::npos)
        return 0;
    const std::string_view digits = text.substr(significant);
    return digits.size() > 4 ? 0x10000 : static_cast<std::int32_t>(*config::parseHex(digits));
}

// Makes the table window's selection follow the current cell: the Y cell alone, or nothing for
// an axis value.
void followSelection(Map& map) {
    if (map.target == EditTarget::Y) {
        selectSingle(map, {map.editRow, map.editIndex});
        return;
    }
    map.selection.clearCells();
    map.selection.setAnchor({});
}

} // namespace

HexController::HexController(MapSet& maps, text::MessageSink& sink, int cellWidth, int rowHeight)
    : m_maps(maps), m_sink(sink) {
    m_layout.setCellSize(cellWidth, rowHeight);
    mapChanged();
}

void HexController::refresh() {
    const config::EcuImage& image = m_maps.image();
    m_layout.setRange(image.low(), image.high());
    Map* map = m_maps.current();
    m_range = map ? hexMapRange(*map) : HexMapRange{};
    if (map)
        selectFirstCell(*map, image);
    const std::optional<std::uint32_t> address = selectedAddress();
    m_editText = address ? byteText(*address) : std::string{};
    m_edited = false;
}

void HexController::setGridSize(int width, int height, int barExtent) {
    m_layout.setGridSize(width, height, barExtent);
    revealMap();
}

void HexController::mapChanged() {
    refresh();
    m_revealPending = true;
    revealMap();
}

void HexController::revealMap() {
    if (!m_revealPending || m_layout.clientWidth() == 0 || m_layout.clientHeight() == 0)
        return;
    m_revealPending = false;
    if (m_range.empty)
        return;
    m_layout.ensureVisible(m_range.last);
    m_layout.ensureVisible(m_range.first);
    if (const std::optional<std::uint32_t> address = selectedAddress())
        m_layout.ensureVisible(*address);
}

HexPicture HexController::picture() const {
    HexPicture picture;
    const config::EcuImage& image = m_maps.image();
    for (int row = m_layout.firstRow(); row < m_layout.endRow(); ++row) {
        const std::uint32_t rowAddress = m_layout.rowAddress(row);
        picture.rowLabels.push_back({m_layout.rowLabelRect(row), plainHex(rowAddress, false)});
        for (int column = m_layout.firstColumn(); column < m_layout.endColumn(); ++column) {
            const std::uint32_t address = rowAddress + static_cast<std::uint32_t>(column);
            if (address > 0xFFFF)
                break;
            picture.bytes.push_back({*m_layout.byteRect(address),
                                     byteHex(image.byte(static_cast<std::uint16_t>(address))),
                                     m_range.marks(address)});
        }
    }
    for (int column = m_layout.firstColumn(); column < m_layout.endColumn(); ++column)
        picture.headings.push_back(
            {m_layout.headingRect(column), plainHex(static_cast<unsigned>(column), true)});

    const int right = std::min(m_layout.bytesRight(), m_layout.clientWidth());
    const int bottom = std::min(m_layout.bytesBottom(), m_layout.clientHeight());
    picture.hatchRight = {right, 0, m_layout.clientWidth() - right, m_layout.clientHeight()};
    picture.hatchBelow = {0, bottom, right, m_layout.clientHeight() - bottom};
    return picture;
}

std::string HexController::caption() const {
    const Map* map = m_maps.current();
    return "HEX - " + (map ? map->name : std::string{});
}

std::optional<std::uint32_t> HexController::selectedAddress() const {
    const Map* map = m_maps.current();
    if (!map)
        return std::nullopt;
    const std::optional<std::uint32_t> address = addressOfPosition(*map, currentPosition(*map));
    if (!address || !m_range.selectable(*address))
        return std::nullopt;
    return address;
}

std::optional<PixelRect> HexController::editorRect() const {
    const std::optional<std::uint32_t> address = selectedAddress();
    return address ? m_layout.byteRect(*address) : std::nullopt;
}

void HexController::setEditText(std::string text) {
    m_editText = std::move(text);
    m_edited = true;
}

void HexController::showValue(int raw) {
    m_editText = byteHex(static_cast<unsigned>(std::max(raw, 0)));
}

void HexController::cancelEdit() {
    const std::optional<std::uint32_t> address = selectedAddress();
    m_editText = address ? byteText(*address) : std::string{};
    m_edited = false;
}

HexEffect HexController::click(int x, int y) {
    const std::optional<std::uint32_t> address = m_layout.hit(x, y);
    if (!address || !m_range.selectable(*address))
        return {};
    return select(*address);
}

HexEffect HexController::command(int code) {
    switch (code) {
    case tablecmd::Enter:
        return commit(false);
    case tablecmd::ShiftEnter:
        return commit(true);
    case tablecmd::Up:
        return move(-HexLayout::Columns);
    case tablecmd::Down:
        return move(HexLayout::Columns);
    case tablecmd::Left:
        return move(-1);
    case tablecmd::Right:
        return move(1);
    default:
        return {};
    }
}

HexEffect HexController::commit(bool live) {
    Map* map = m_maps.current();
    if (!map || !selectedAddress())
        return {};
    config::EcuImage& image = m_maps.image();
    // The current cell may have left the map (a relayout by another window).
    refreshEditState(*map, image);
    const std::optional<std::uint32_t> address = selectedAddress();
    if (!address)
        return {};
    m_edited = false;
    const std::optional<std::int32_t> typed = readHexText(m_editText);
    if (!typed) {
        refuse();
        return {};
    }
    const auto at = static_cast<std::uint16_t>(*address);
    const auto raw =
        static_cast<std::uint16_t>(std::clamp(rawLimits(*map, image).apply(*typed), 0, 0xFF));
    HexEffect effect;
    if (raw != image.byte(at)) {
        if (!writeCurrentCell(m_maps, *map, raw, EditFamily::Edit, false)) {
            refuse();
            return {};
        }
        effect.valuesChanged = true;
        effect.lineValueChanged = map->target == EditTarget::Z;
    }
    m_editText = byteText(at);
    if (live && map->target == EditTarget::Y && !isFreeMapBlock(*map))
        effect.sendToEcu = EcuByte{at, image.byte(at)};
    return effect;
}

HexEffect HexController::move(int delta) {
    const std::optional<std::uint32_t> address = selectedAddress();
    if (!address)
        return {};
    const std::int64_t target = static_cast<std::int64_t>(*address) + delta;
    if (target < 0 || !m_range.selectable(static_cast<std::uint32_t>(target)))
        return {};
    return select(static_cast<std::uint32_t>(target));
}

HexEffect HexController::select(std::uint32_t address) {
    HexEffect effect = m_edited ? commit(false) : HexEffect{};
    Map* map = m_maps.current();
    const std::optional<EditPosition> position =
        map ? positionAtAddress(*map, address) : std::nullopt;
    if (!position || selectCell(*map, m_maps.image(), *position) != Access::Ok)
        return effect;
    followSelection(*map);
    m_editText = byteText(address);
    m_edited = false;
    m_layout.ensureVisible(address);
    effect.selectionMoved = true;
    return effect;
}

std::string HexController::byteText(std::uint32_t address) const {
    return byteHex(m_maps.image().byte(static_cast<std::uint16_t>(address)));
}

void HexController::refuse() {
    m_sink.show(rejectionText(), text::messageText(text::msg::TableWindowCaption),
                text::Icon::Error);
    cancelEdit();
}

} // namespace qmx::maps
