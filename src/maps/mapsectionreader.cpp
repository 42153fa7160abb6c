#include "maps/mapsectionreader.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/linerules.h"
#include "maps/displayformat.h"
#include "maps/editstate.h"
#include "maps/freemaplayout.h"
#include "maps/linkrules.h"
#include "text/messages.h"
#include "text/numberformat.h"
#include "text/numbers.h"

namespace qmx::maps {

namespace {

constexpr std::uint32_t kImageEnd = 0x10000; // one past the last address
constexpr int kMaxConfigCount = 255;

// A hexadecimal address within the image.
std::optional<std::uint16_t> parseAddress(std::string_view text) {
    const auto value = config::parseHex(text);
    if (!value || *value >= kImageEnd)
        return std::nullopt;
    return static_cast<std::uint16_t>(*value);
}

// A finite decimal number that fills the whole text.
std::optional<float> parseNumber(std::string_view text) {
    const auto scanned = text::scanDouble(text);
    if (!scanned || scanned->length != text.size() || !std::isfinite(scanned->value))
        return std::nullopt;
    return text::narrowToFloat(scanned->value);
}

// The content lines of one section, consumed in order.
class SectionCursor {
public:
    SectionCursor(const config::CLineList& lines, std::string_view section)
        : m_lines(lines), m_content(config::sectionContent(lines, section)) {}
    bool atEnd() const { return m_next >= m_content.size(); }
    // The next content line without consuming it; empty at the end.
    std::string_view peek() const {
        return atEnd() ? std::string_view{} : std::string_view(m_lines.textAt(m_content[m_next]));
    }
    // The next content line, consumed; nothing at the end.
    std::optional<std::string_view> take() {
        if (atEnd())
            return std::nullopt;
        return std::string_view(m_lines.textAt(m_content[m_next++]));
    }

private:
    const config::CLineList& m_lines;
    std::vector<std::size_t> m_content;
    std::size_t m_next = 0;
};

// "start,end,third": exactly three hexadecimal addresses.
std::optional<FreeMapArea> readAddressLine(SectionCursor& cursor) {
    const auto line = cursor.take();
    if (!line)
        return std::nullopt;
    const std::vector<std::string> fields = config::commaFields(*line, 4);
    if (fields.size() != 3)
        return std::nullopt;
    const auto start = parseAddress(fields[0]);
    const auto end = parseAddress(fields[1]);
    const auto third = parseAddress(fields[2]);
    if (!start || !end || !third)
        return std::nullopt;
    return FreeMapArea{*start, *end, *third};
}

// "name,min,max,toPhysical,toRaw[,inputMin,inputMax]" with the first five fields not empty.
bool readAxisLine(SectionCursor& cursor, MapAxis& axis) {
    const auto line = cursor.take();
    if (!line)
        return false;
    const std::vector<std::string> fields = config::commaFields(*line, 7);
    if (fields.size() < 5)
        return false;
    for (std::size_t i = 0; i < 5; ++i) {
        if (fields[i].empty())
            return false;
    }
    axis.name = fields[0];
    axis.min = fields[1];
    axis.max = fields[2];
    axis.physicalExpr = fields[3];
    axis.rawExpr = fields[4];
    axis.inputMin = fields.size() > 5 ? fields[5] : std::string{};
    axis.inputMax = fields.size() > 6 ? fields[6] : std::string{};
    return true;
}

enum class HeaderRule { FreeMapType, AnyType };

// The header line and the three axis lines of a block. For free maps the type field decides
// the kind ("1": an X row per Z value); any other type makes the block unreadable.
std::optional<Map> readDefinition(SectionCursor& cursor, HeaderRule rule) {
    const auto header = cursor.take();
    if (!header)
        return std::nullopt;
    const std::vector<std::string> fields = config::commaFields(*header, 4);
    if (fields[0].empty())
        return std::nullopt;
    Map map;
    map.name = fields[0];
    map.headerExtra = fields.size() > 3 ? fields[3] : std::string{};
    if (rule == HeaderRule::FreeMapType) {
        const std::string_view type = fields.size() > 1 ? fields[1] : std::string_view{};
        if (type != "0" && type != "1")
            return std::nullopt;
        map.kind = type == "1" ? MapKind::PerRowX : MapKind::Shared;
    }
    if (!readAxisLine(cursor, map.z) || !readAxisLine(cursor, map.x) ||
        !readAxisLine(cursor, map.y))
        return std::nullopt;
    return map;
}

// A Z or X line of a config map, in address or label form.
struct AxisPlacement {
    bool addressForm = false;
    int count = 0;
    std::uint16_t address = 0;
    int elementSize = 1;
    float step = 0.0f;
    std::string labels;
};

// Address form: "tag,address,elementSize,count,step", the values inside the image.
std::optional<AxisPlacement> readAddressForm(const std::vector<std::string>& fields) {
    if (fields.size() != 5)
        return std::nullopt;
    const auto address = parseAddress(fields[1]);
    const auto size = config::parseDecimal(fields[2]);
    const auto count = config::parseDecimal(fields[3]);
    const auto step = parseNumber(fields[4]);
    if (!address || !size || !count || !step || *count < 0 || *count > kMaxConfigCount)
        return std::nullopt;
    const std::uint32_t bytes = static_cast<std::uint32_t>(*count) * (*size == 2 ? 2u : 1u);
    if (*address + bytes > kImageEnd)
        return std::nullopt;
    return AxisPlacement{true, *count, *address, *size, *step, {}};
}

// Label form: "count,label,...,label" with exactly `count` labels.
std::optional<AxisPlacement> readLabelForm(const std::vector<std::string>& fields) {
    const auto count = config::parseDecimal(fields[0]);
    if (!count || *count < 1 || *count > kMaxConfigCount ||
        fields.size() != static_cast<std::size_t>(*count) + 1)
        return std::nullopt;
    AxisPlacement placement;
    placement.count = *count;
    for (std::size_t i = 1; i < fields.size(); ++i)
        placement.labels += (i > 1 ? "," : "") + fields[i];
    return placement;
}

std::optional<AxisPlacement> readPlacementLine(SectionCursor& cursor, std::string_view tag) {
    const auto line = cursor.take();
    if (!line)
        return std::nullopt;
    // A count and at most kMaxConfigCount labels; a line with more fields is no placement.
    const std::vector<std::string> fields = config::commaFields(*line, kMaxConfigCount + 2);
    return fields[0] == tag ? readAddressForm(fields) : readLabelForm(fields);
}

void applyAxisPlacement(MapAxis& axis, const AxisPlacement& placement) {
    axis.count = placement.count;
    axis.address = placement.address;
    axis.elementSize = placement.elementSize;
    axis.step = placement.step;
    axis.labels = placement.labels;
}

// The optional "y,address,resolution" line: a readable address moves the running data
// address, a readable resolution gives the Y step and the map's own decimals.
void readYLine(SectionCursor& cursor, Map& map, std::uint32_t& dataAddress) {
    if (config::commaFields(cursor.peek(), 2)[0] != "y")
        return;
    const std::vector<std::string> fields = config::commaFields(*cursor.take(), 3);
    if (const auto address = fields.size() > 1 ? parseAddress(fields[1]) : std::nullopt)
        dataAddress = *address;
    if (const auto resolution = fields.size() > 2 ? parseNumber(fields[2]) : std::nullopt) {
        map.y.step = *resolution;
        map.ownDecimals = text::clampDecimals(decimalsOf(fields[2]));
    }
}

// One config-map block; nothing when it cannot be read or would run past 0xFFFF.
std::optional<Map> readConfigBlock(SectionCursor& cursor, std::uint32_t& dataAddress) {
    auto map = readDefinition(cursor, HeaderRule::AnyType);
    if (!map)
        return std::nullopt;
    const auto z = readPlacementLine(cursor, "z");
    const auto x = readPlacementLine(cursor, "x");
    if (!z || !x || z->addressForm != x->addressForm)
        return std::nullopt;
    readYLine(cursor, *map, dataAddress);
    const std::uint32_t cells = static_cast<std::uint32_t>(z->count * x->count);
    if (dataAddress + cells > kImageEnd)
        return std::nullopt;
    map->kind = z->addressForm ? MapKind::Addressed : MapKind::Labelled;
    applyAxisPlacement(map->z, *z);
    applyAxisPlacement(map->x, *x);
    map->y.address = static_cast<std::uint16_t>(dataAddress);
    dataAddress += cells;
    return map;
}

} // namespace

text::Status readFreeMapSection(const config::CLineList& lines, MapSet& maps) {
    SectionCursor cursor(lines, "Free Map");
    const auto area = readAddressLine(cursor);
    if (!area)
        return text::msg::MapAddressWrong;
    maps.setSource(MapSource::Free);
    maps.setFreeMapArea(*area);
    std::uint32_t next = area->start;
    bool any = false;
    while (!cursor.atEnd()) {
        auto map = readDefinition(cursor, HeaderRule::FreeMapType);
        if (!map)
            break;
        const auto placement = placeFreeMap(maps.image(), next, map->kind);
        if (!placement)
            break;
        applyPlacement(*map, *placement);
        next = placement->next;
        maps.add(std::move(*map));
        any = true;
    }
    return any ? text::msg::Success : text::msg::FreeMapFormatError;
}

text::Status readConfigMapSection(const config::CLineList& lines, MapSet& maps) {
    SectionCursor cursor(lines, "Config Map");
    const auto area = readAddressLine(cursor);
    if (!area)
        return text::msg::MapAddressWrong;
    maps.setSource(MapSource::Config);
    std::uint32_t dataAddress = area->start;
    bool any = false;
    while (!cursor.atEnd()) {
        auto map = readConfigBlock(cursor, dataAddress);
        if (!map)
            break;
        maps.add(std::move(*map));
        any = true;
    }
    return any ? text::msg::Success : text::msg::ConfigMapFormatError;
}

text::Status readMapSections(const config::CLineList& lines, MapSet& maps) {
    text::Status result = text::msg::MapSectionNotFound;
    if (config::findSection(lines, "Free Map"))
        result = readFreeMapSection(lines, maps);
    else if (config::findSection(lines, "Config Map"))
        result = readConfigMapSection(lines, maps);
    if (result != text::msg::Success)
        return result;
    readMultiMapSection(lines, maps);
    for (std::size_t i = 0; i < maps.size(); ++i)
        selectFirstCell(maps.at(i), maps.image());
    maps.setCurrent(0);
    return text::msg::Success;
}

} // namespace qmx::maps
