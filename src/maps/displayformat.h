#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/numberformat.h"

// Physical values as display text: the X, Y and Z precisions of the program settings, the
// own precision of a map, and the text of a calibration constant.
namespace qmx::maps {

struct Map;
enum class EditTarget;

// Decimals of the X, Y and Z display formats (the PRECISION settings, each 1 by default).
using DisplayFormats = text::NumberFormats;

// The decimals a precision text asks for: the number of characters after its first "."
// (0 without one).
int decimalsOf(std::string_view precisionText);

// An X or Z axis value with the X or Z decimals.
std::string formatX(float value, const DisplayFormats& formats);
std::string formatZ(float value, const DisplayFormats& formats);

// A Y value of `map`: no decimals when the map's Y Min is at or below -2000 or its Max at or
// above 2000; otherwise the map's own decimals when it has them, else the Y decimals.
std::string formatY(float value, const Map& map, const DisplayFormats& formats);
// A value of `target` in `map`: formatX, formatZ, or formatY with the map for Y and None.
std::string formatTarget(float value, const Map& map, EditTarget target,
                         const DisplayFormats& formats);

// A constant with up to 8 decimals: trailing zeros removed, a whole number without point, and
// otherwise 8 significant places before and after the point together.
std::string formatConstant(float value);

// The text the constant editor and the map bar show: formatConstant, or two decimals when
// that text has a point.
std::string constantDisplayText(float value);

} // namespace qmx::maps
