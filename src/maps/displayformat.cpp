#include "maps/displayformat.h"

#include "maps/conversion.h"
#include "maps/map.h"
#include "text/numbers.h"

namespace qmx::maps {

int decimalsOf(std::string_view precisionText) {
    const std::size_t point = precisionText.find('.');
    if (point == std::string_view::npos)
        return 0;
    return static_cast<int>(precisionText.size() - point - 1);
}

std::string formatX(float value, const DisplayFormats& formats) {
    return text::formatFixed(value, formats.x);
}

std::string formatZ(float value, const DisplayFormats& formats) {
    return text::formatFixed(value, formats.z);
}

std::string formatY(float value, const Map& map, const DisplayFormats& formats) {
    if (limitValue(map.y.min) <= -2000.0f || limitValue(map.y.max) >= 2000.0f)
        return text::formatFixed(value, 0);
    return text::formatFixed(value, map.ownDecimals.value_or(formats.y));
}

std::string formatTarget(float value, const Map& map, EditTarget target,
                         const DisplayFormats& formats) {
    switch (target) {
    case EditTarget::X:
        return formatX(value, formats);
    case EditTarget::Z:
        return formatZ(value, formats);
    case EditTarget::Y:
    case EditTarget::None:
        break;
    }
    return formatY(value, map, formats);
}

std::string formatConstant(float value) {
    const std::string first = text::formatFixed(value, 8);
    const std::size_t point = first.find('.');
    if (point == std::string::npos)
        return first;
    std::string trimmed = first;
    while (trimmed.back() == '0')
        trimmed.pop_back();
    if (trimmed.back() == '.') {
        trimmed.pop_back();
        return trimmed;
    }
    const int decimals = 8 - static_cast<int>(point);
    if (decimals < 1)
        return first;
    return text::formatFixed(value, decimals);
}

std::string constantDisplayText(float value) {
    const std::string text = formatConstant(value);
    return text.find('.') == std::string::npos ? text : text::formatFixed(value, 2);
}

} // namespace qmx::maps
