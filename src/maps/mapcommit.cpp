#include "maps/mapcommit.h"

#include <algorithm>

#include "maps/conversion.h"
#include "maps/editstate.h"
#include "text/messages.h"
#include "text/numbers.h"

namespace qmx::maps {

namespace {

CommitOutcome refused(const MapSet& maps, const Map& map, const DisplayFormats& formats) {
    return {text::msg::DataError, currentCellText(map, maps.image(), formats), false, std::nullopt};
}

// Whether the current cell takes typed values by the cell rules: a Y value, or an X value of a
// map with an X row per Z value.
bool isTypedCell(const Map& map) {
    return map.target == EditTarget::Y || (map.target == EditTarget::X && map.hasXRowPerZ());
}

// The text the cell shows, committed again (F2 and Enter): the value stays as it is, even where
// the display rounds it (a value shown as 2.7 may be 2.745, which would store one step lower).
std::optional<CommitOutcome> unchanged(const MapSet& maps, const Map& map, std::string_view text,
                                       const DisplayFormats& formats) {
    std::string shown = currentCellText(map, maps.image(), formats);
    if (text != shown)
        return std::nullopt;
    return CommitOutcome{text::msg::Success, std::move(shown), false, std::nullopt};
}

// An axis value and its neighbours, as displayed.
class AxisCell {
public:
    AxisCell(const MapSet& maps, const Map& map, const DisplayFormats& formats)
        : m_map(map), m_axis(axisOf(map, map.target)), m_formats(formats) {
        const bool z = map.target == EditTarget::Z;
        const int count = z ? map.rows() : map.columns();
        const bool downward = z && zRunsDownward(map, maps.image());
        const int previous = map.editIndex - 1;
        const int next = map.editIndex + 1;
        const int left = downward ? next : previous;
        const int right = downward ? previous : next;
        auto raw = [&](int index) -> std::optional<std::int32_t> {
            if (index < 0 || index >= count)
                return std::nullopt;
            return z ? readZ(map, maps.image(), index).value
                     : readX(map, maps.image(), index, map.editRow).value;
        };
        m_leftRaw = raw(left);
        m_rightRaw = raw(right);
    }

    const MapAxis& axis() const { return m_axis; }
    // `value` formatted for the axis and read back.
    float shown(float value) const { return text::scanFloat(text(value)).value_or(value); }
    std::string text(float value) const {
        return formatTarget(value, m_map, m_map.target, m_formats);
    }
    float physicalShown(std::int32_t raw) const {
        const auto clamped = static_cast<std::uint16_t>(std::clamp(raw, 0, m_axis.rawCap()));
        return shown(toPhysical(m_axis, clamped).value);
    }
    const std::optional<std::int32_t>& leftRaw() const { return m_leftRaw; }
    const std::optional<std::int32_t>& rightRaw() const { return m_rightRaw; }

private:
    const Map& m_map;
    const MapAxis& m_axis;
    const DisplayFormats& m_formats;
    std::optional<std::int32_t> m_leftRaw;
    std::optional<std::int32_t> m_rightRaw;
};

// The value an axis cell takes for the typed (displayed) value `v`, and the warning when `v`
// lay outside the input range.
float placeAxisValue(const AxisCell& cell, float v, std::optional<RangeWarning>& warning) {
    const MapAxis& axis = cell.axis();
    const InputRange range = inputRange(axis);
    const float lo = cell.shown(range.lo);
    const float hi = cell.shown(range.hi);
    const auto& leftRaw = cell.leftRaw();
    const auto& rightRaw = cell.rightRaw();
    float set = v;
    if (v < lo) {
        const Converted<std::int32_t> loRaw = toRawWhole(axis, range.lo);
        const bool nearLeft = leftRaw && loRaw.ok() && *leftRaw > loRaw.value;
        const float limit = nearLeft ? cell.physicalShown(*leftRaw) : lo;
        set = leftRaw ? limit + axis.step : limit;
        warning = RangeWarning{v, {lo, hi}, std::nullopt, 0.0f};
    } else if (v > hi) {
        const Converted<std::int32_t> hiRaw = toRawWhole(axis, range.hi);
        const bool nearRight = rightRaw && hiRaw.ok() && *rightRaw < hiRaw.value;
        const float limit = nearRight ? cell.physicalShown(*rightRaw) : hi;
        set = rightRaw ? limit - axis.step : limit;
        warning = RangeWarning{v, {lo, hi}, std::nullopt, 0.0f};
    }
    // Keep the axis in order: at least one raw step and one Step away from each neighbour.
    if (leftRaw) {
        const float left = cell.physicalShown(*leftRaw);
        set = std::max({set, cell.physicalShown(*leftRaw + 1), left + axis.step});
    }
    if (rightRaw) {
        const float right = cell.physicalShown(*rightRaw);
        set = std::min({set, cell.physicalShown(*rightRaw - 1), right - axis.step});
    }
    return set;
}

} // namespace

bool writeCurrentCell(MapSet& maps, Map& map, std::uint16_t raw, EditFamily family, bool grouped) {
    if (readValue(map, maps.image(), map.target, map.editRow, map.editIndex).result != Access::Ok)
        return false;
    maps.beforeWrite(map, family, grouped);
    Access result = Access::Ok;
    switch (map.target) {
    case EditTarget::Y:
        result = maps.writeY(map, static_cast<std::uint8_t>(raw), map.editIndex, map.editRow);
        break;
    case EditTarget::X:
        result = maps.writeX(map, raw, map.editIndex, map.editRow);
        break;
    case EditTarget::Z:
        result = maps.writeZ(map, raw, map.editIndex);
        break;
    case EditTarget::None:
        return false;
    }
    return result == Access::Ok;
}

std::string rejectionText() {
    std::string text(text::messageText(text::msg::DataError));
    text += '\n';
    text += text::messageText(text::msg::DataSetAsBefore);
    return text;
}

std::optional<float> readTypedValue(std::string_view text) {
    bool digit = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c != '.' && !(c == '-' && i == 0))
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    return text::scanFloat(text);
}

std::string rawValueText(const Map& map, EditTarget target, std::uint16_t raw,
                         const DisplayFormats& formats) {
    return formatTarget(toPhysical(axisOf(map, target), raw).value, map, target, formats);
}

std::string currentCellText(const Map& map, const config::EcuImage& image,
                            const DisplayFormats& formats) {
    return rawValueText(map, map.target, currentRaw(map, image), formats);
}

CommitOutcome commitTypedCell(MapSet& maps, Map& map, std::string_view text,
                              const DisplayFormats& formats) {
    const std::optional<float> value = readTypedValue(text);
    if (!value)
        return refused(maps, map, formats);
    if (std::optional<CommitOutcome> same = unchanged(maps, map, text, formats);
        same && isTypedCell(map))
        return *same;
    return commitCellValue(maps, map, *value, formats, false);
}

CommitOutcome commitCellValue(MapSet& maps, Map& map, float value, const DisplayFormats& formats,
                              bool grouped) {
    if (!isTypedCell(map))
        return refused(maps, map, formats);
    const bool y = map.target == EditTarget::Y;
    const MapAxis& record = axisOf(map, map.target);
    const float v = y ? snapToStep(value, record.step) : value;
    const Converted<std::int32_t> converted = toRawWhole(record, v);
    if (!converted.ok())
        return refused(maps, map, formats);

    // The limits may be crossed or lie outside a byte; the result always fits the cell.
    const RawLimits limits = rawLimits(map, maps.image());
    std::int32_t raw = std::clamp(limits.apply(std::clamp(converted.value, 0, 0xFF)), 0, 0xFF);
    const InputRange range = inputRange(record);
    const Converted<float> physical = toPhysical(record, static_cast<std::uint16_t>(raw));
    if (physical.ok() && physical.value < range.lo && raw < 0xFF)
        ++raw;
    else if (physical.ok() && physical.value > range.hi && raw > 0)
        --raw;

    const auto finalRaw = static_cast<std::uint16_t>(raw);
    const float set = toPhysical(record, finalRaw).value;
    CommitOutcome outcome;
    if (v < range.lo || v > range.hi)
        outcome.warning = RangeWarning{v, {range.lo, range.hi}, std::nullopt, set};
    if (finalRaw != currentRaw(map, maps.image())) {
        if (!writeCurrentCell(maps, map, finalRaw, EditFamily::Edit, grouped))
            return refused(maps, map, formats);
        outcome.written = true;
    }
    outcome.cellText = formatTarget(set, map, map.target, formats);
    return outcome;
}

CommitOutcome commitAxisValue(MapSet& maps, Map& map, std::string_view text,
                              const DisplayFormats& formats) {
    const bool axisTarget =
        map.target == EditTarget::Z || (map.target == EditTarget::X && !map.hasXRowPerZ());
    if (!axisTarget || !map.axesInImage())
        return refused(maps, map, formats);
    const std::optional<float> typed = readTypedValue(text);
    if (!typed)
        return refused(maps, map, formats);
    if (std::optional<CommitOutcome> same = unchanged(maps, map, text, formats))
        return *same;
    const AxisCell cell(maps, map, formats);
    const MapAxis& axis = cell.axis();
    const Converted<std::int32_t> converted = toRawWhole(axis, *typed);
    if (!converted.ok())
        return refused(maps, map, formats);

    float v = *typed;
    if (converted.value > axis.rawCap() || converted.value < 0) {
        const auto edge = static_cast<std::uint16_t>(converted.value < 0 ? 0 : axis.rawCap());
        v = toPhysical(axis, edge).value;
    }
    CommitOutcome outcome;
    const float set = placeAxisValue(cell, cell.shown(v), outcome.warning);
    const Converted<std::int32_t> setRaw = toRawWhole(axis, set);
    if (!setRaw.ok())
        return refused(maps, map, formats);
    const auto raw = static_cast<std::uint16_t>(std::clamp(setRaw.value, 0, axis.rawCap()));
    const float shownSet = cell.physicalShown(raw);
    if (outcome.warning)
        outcome.warning->set = shownSet;
    outcome.cellText = cell.text(shownSet);
    if (outcome.cellText != currentCellText(map, maps.image(), formats)) {
        if (!writeCurrentCell(maps, map, raw, EditFamily::Edit, false))
            return refused(maps, map, formats);
        outcome.written = true;
    }
    return outcome;
}

} // namespace qmx::maps
