#include "app/constantedit.h"

#include <cmath>

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
    const long rounded = std::lround(converted.raw);
    if (const text::Status refused = checkConstantRaw(entry, rounded))
        return {refused.message(), std::nullopt, false};
    const auto raw = static_cast<std::uint16_t>(rounded);
    maps::storeCalibRaw(entry, image, raw);
    return {text::msg::Success, converted.warning, raw != before};
}

text::Status checkConstantRaw(const maps::CalibEntry& entry, long raw) {
    if (entry.byteCount != 2 && raw >= 0x100)
        return text::msg::InputMaxOver;
    if (raw >= 0x10000)
        return text::msg::DataOverWordSize;
    if (entry.calc == 2 && raw == 0)
        return text::msg::CannotInputZero;
    return text::msg::Success;
}

std::optional<maps::CalibEntry> findCalibEntry(const config::CLineList& lines,
                                               std::string_view contents) {
    for (maps::CalibEntry& entry : maps::calibEntries(lines)) {
        if (entry.contents == contents)
            return std::move(entry);
    }
    return std::nullopt;
}

} // namespace qmx::app
