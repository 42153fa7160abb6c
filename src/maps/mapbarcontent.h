#pragma once

#include <array>
#include <string>
#include <vector>

#include "config/ecuimage.h"
#include "config/linelist.h"
#include "maps/displayformat.h"
#include "maps/map.h"

// What the map bar lists: the lines of the current map, the calibration constants with their
// values, the state of the "&ALL" box, and the edit operations of its step buttons.
namespace qmx::maps {

// One entry per line of `map`, showing its Z value with the Z format: for maps whose axes lie
// in the image the physical value of the Z byte or word, for labelled maps the Z label. A map
// with fewer than two lines gives no entries.
std::vector<std::string> lineEntries(const Map& map, const config::EcuImage& image,
                                     const DisplayFormats& formats);

struct ConstantRow {
    std::string contents;
    std::string value; // as the constant editor shows it
};

// One row per [Calib] line of `lines` that takes part in editing, in file order, with the
// constant's value in `image`.
std::vector<ConstantRow> constantRows(const config::CLineList& lines,
                                      const config::EcuImage& image);

// The hidden value fields: the X value of the current column and the current data value, as
// the table shows them; empty where the current cell has none (an axis value has no data).
struct ValueTexts {
    std::string x;
    std::string data;
};
ValueTexts currentValueTexts(const Map& map, const config::EcuImage& image,
                             const DisplayFormats& formats);

enum class CheckState { Unchecked, Checked, Indeterminate };

// The "&ALL" box: indeterminate for a map with fewer than two lines, else the option.
CheckState allBoxState(const Map& map, bool allLines);

// The edit operations of the four step buttons, left to right: lower by ten, raise by ten,
// lower by one, raise by one.
inline constexpr std::array<int, 4> kStepButtonCodes{32, 31, 12, 11};

} // namespace qmx::maps
