#include "app/constantedit.h"

#include <cmath>

#include "config/linerules.h"
#include "maps/typedconstant.h"
#include "text/messages.h"
#include "text/numbers.h"

namespace qmx::app {

namespace {

// Digits and "." only, with one "+" or "-" allowed first.
bool isTypedNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '.')
            return false;
    }
    return true;
}

} // namespace

ConstantCommit commitConstantText(const maps::CalibEntry& entry, config::EcuImage& image,
                                  std::string_view text) {
    if (!isTypedNumber(text))
        return {text::msg::WrongWord, std::nullopt, false};
    // The editor reads the text as the C library's atof does: no number reads as 0.
    const float typed = text::scanFloat(text).value_or(0.0f);
    const maps::TypedConstant converted = maps::convertTypedConstant(entry, typed);
    if (converted.result == maps::TypedConstant::Result::NotEditable)
        return {text::msg::ValueCannotBeEdited, std::nullopt, false};
    const std::uint16_t before = maps::calibRaw(entry, image);
    if (converted.result == maps::TypedConstant::Result::NotConvertible)
        return {text::msg::Success, std::nullopt, false};
    const auto raw = static_cast<std::uint16_t>(std::lround(converted.raw));
    if (entry.byteCount == 2)
        image.setWord(entry.address, raw);
    else
        image.setByte(entry.address, static_cast<std::uint8_t>(raw));
    return {text::msg::Success, converted.warning, raw != before};
}

std::optional<maps::CalibEntry> findCalibEntry(const config::CLineList& lines,
                                               std::string_view contents) {
    for (std::size_t index : config::sectionContent(lines, "Calib")) {
        const maps::CalibLine line = maps::parseCalibLine(lines.textAt(index));
        if (line.entry && line.entry->contents == contents)
            return line.entry;
    }
    return std::nullopt;
}

} // namespace qmx::app
