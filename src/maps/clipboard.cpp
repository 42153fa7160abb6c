#include "maps/clipboard.h"

#include <algorithm>

#include "maps/conversion.h"
#include "maps/editstate.h"
#include "maps/mapcommit.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

std::vector<std::string_view> splitRows(std::string_view text) {
    std::vector<std::string_view> rows;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view row = text.substr(0, end);
        if (!row.empty() && row.back() == '\r' && end != std::string_view::npos)
            row.remove_suffix(1);
        rows.push_back(row);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return rows;
}

std::vector<std::string_view> splitValues(std::string_view row) {
    std::vector<std::string_view> values;
    for (;;) {
        const std::size_t tab = row.find('\t');
        values.push_back(row.substr(0, tab));
        if (tab == std::string_view::npos)
            return values;
        row.remove_prefix(tab + 1);
    }
}

} // namespace

ClipRead readClipTable(std::optional<std::string_view> text) {
    ClipRead read;
    if (!text) {
        read.result = ClipResult::NoText;
        return read;
    }
    const std::vector<std::string_view> rows = splitRows(*text);
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::vector<std::string_view> values = splitValues(rows[r]);
        if (r > 0 && static_cast<int>(values.size()) != read.table.columns)
            return {ClipResult::NotRectangular, {}};
        read.table.columns = static_cast<int>(values.size());
        for (std::size_t c = 0; c < values.size(); ++c) {
            const std::optional<float> value =
                values[c].empty() ? std::optional<float>(0.0f) : readTypedValue(values[c]);
            if (!value)
                return {ClipResult::NotNumeric, {}};
            read.table.entries.push_back({static_cast<int>(r), static_cast<int>(c), *value});
        }
    }
    read.table.rows = static_cast<int>(rows.size());
    return read;
}

int clipResultMessage(ClipResult result) {
    switch (result) {
    case ClipResult::Table:
        break;
    case ClipResult::NoText:
        return text::msg::ClipboardUnreadable;
    case ClipResult::NotRectangular:
        return text::msg::ClipboardNotRectangular;
    case ClipResult::NotNumeric:
        return text::msg::ClipboardNotNumeric;
    }
    return text::msg::Success;
}

std::string selectionText(const Map& map, const config::EcuImage& image,
                          const DisplayFormats& formats) {
    const auto& cells = map.selection.cells();
    if (cells.empty())
        return {};
    const int top = cells.begin()->row;
    const int bottom = cells.rbegin()->row;
    int left = cells.begin()->column;
    int right = left;
    for (const GridCell cell : cells) {
        left = std::min(left, cell.column);
        right = std::max(right, cell.column);
    }
    std::string text;
    for (int row = top; row <= bottom; ++row) {
        if (row > top)
            text += "\r\n";
        for (int column = left; column <= right; ++column) {
            if (column > left)
                text += '\t';
            const bool selected = cells.count({row, column}) != 0;
            text += formatY(selected ? yPhysical(map, image, {row, column}) : 0.0f, map, formats);
        }
    }
    return text;
}

text::Status pasteIntoCells(MapSet& maps, Map& map, const ClipTable& table,
                            const DisplayFormats& formats) {
    const bool block = map.selection.size() >= 2;
    if (block && table.entries.size() >= 2)
        return text::msg::PasteDuringSelection;
    if (map.target != EditTarget::Y || table.entries.empty())
        return text::msg::Success;

    const GridCell origin{map.editRow, map.editIndex};
    std::vector<std::pair<GridCell, float>> targets;
    if (block) {
        for (const GridCell cell : map.selection.cells())
            targets.emplace_back(cell, table.entries.front().value);
    } else {
        for (const ClipEntry& entry : table.entries)
            targets.emplace_back(GridCell{origin.row + entry.row, origin.column + entry.column},
                                 entry.value);
    }

    maps.beforeWrite(map, EditFamily::Edit, false);
    int message = text::msg::Success;
    for (const auto& [cell, value] : targets) {
        if (selectCell(map, maps.image(), EditTarget::Y, cell.row, cell.column) != Access::Ok)
            continue; // outside the map
        if (commitCellValue(maps, map, value, formats, true).message != text::msg::Success)
            message = text::msg::DataError;
    }
    selectCell(map, maps.image(), EditTarget::Y, origin.row, origin.column);
    return message;
}

} // namespace qmx::maps
