#include "maps/mapbarcontent.h"

#include "maps/calibration.h"
#include "maps/conversion.h"

namespace qmx::maps {

std::vector<std::string> lineEntries(const Map& map, const config::EcuImage& image,
                                     const DisplayFormats& formats) {
    std::vector<std::string> entries;
    if (map.rows() < 2)
        return entries;
    for (int row = 0; row < map.rows(); ++row) {
        if (!map.axesInImage()) {
            entries.push_back(map.z.label(row));
            continue;
        }
        const CellRead z = readZ(map, image, row);
        entries.push_back(formatZ(toPhysical(map.z, z.value).value, formats));
    }
    return entries;
}

std::vector<ConstantRow> constantRows(const config::CLineList& lines,
                                      const config::EcuImage& image) {
    std::vector<ConstantRow> rows;
    for (const CalibEntry& entry : calibEntries(lines))
        rows.push_back({entry.contents, constantDisplayText(calibValue(entry, image))});
    return rows;
}

ValueTexts currentValueTexts(const Map& map, const config::EcuImage& image,
                             const DisplayFormats& formats) {
    ValueTexts texts;
    if (map.target != EditTarget::Y && map.target != EditTarget::X)
        return texts;
    const int column = map.editIndex;
    if (!map.axesInImage()) {
        texts.x = map.x.label(column);
    } else {
        const CellRead x = readX(map, image, column, map.editRow);
        if (x.result == Access::Ok)
            texts.x = formatX(toPhysical(map.x, x.value).value, formats);
    }
    if (map.target == EditTarget::Y) {
        const CellRead y = readY(map, image, column, map.editRow);
        if (y.result == Access::Ok)
            texts.data = formatY(toPhysical(map.y, y.value).value, map, formats);
    }
    return texts;
}

CheckState allBoxState(const Map& map, bool allLines) {
    if (map.rows() < 2)
        return CheckState::Indeterminate;
    return allLines ? CheckState::Checked : CheckState::Unchecked;
}

} // namespace qmx::maps
