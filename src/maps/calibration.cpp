#include "maps/calibration.h"

#include <cmath>

#include "config/linerules.h"
#include "text/numbers.h"

namespace qmx::maps {

namespace {

constexpr double Million = 1000000.0;
constexpr double ThirtyMillion = 30000000.0;
constexpr double Kind4Shift = 14506.769825918762;

int effectiveCalc(int calc) {
    return calc >= 2 && calc <= 5 ? calc : 1;
}

// A whole field that is a finite float; nothing for empty or partly numeric text, and for a
// magnitude that only a double can hold.
std::optional<float> numberField(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    const auto scanned = text::scanDouble(text);
    if (!scanned || scanned->length != text.size())
        return std::nullopt;
    const float value = text::narrowToFloat(scanned->value);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

CalibLine parseCalibLine(std::string_view line) {
    CalibLine result;
    // Ten fields are read; the rest stays unsplit in an eleventh.
    const std::vector<std::string> fields = config::commaFields(line, 11);
    for (std::size_t i = 0; i < result.fields.size() && i < fields.size(); ++i)
        result.fields[i] = fields[i];
    if (fields.size() < 7)
        return result;

    const auto address = config::parseHex(fields[0]);
    const std::string& size = fields[1];
    const auto lsb = numberField(fields[3]);
    const auto offset = numberField(fields[4]);
    const auto calc = fields[6].empty() ? std::optional<int>(1) : config::parseDecimal(fields[6]);
    if (!address || fields[0].size() > 4 || (size != "1" && size != "2") || !lsb || !offset ||
        !calc)
        return result;

    CalibEntry entry;
    entry.address = static_cast<std::uint16_t>(*address);
    entry.byteCount = size == "2" ? 2 : 1;
    if (entry.byteCount == 2 && entry.address == 0xFFFF)
        return result;
    entry.contents = fields[2];
    entry.lsb = *lsb;
    entry.offset = *offset;
    entry.unit = fields[5];
    entry.calc = effectiveCalc(*calc);
    entry.readOnly = fields.size() > 7 && config::parseDecimal(fields[7]) == 1;
    if (fields.size() > 8)
        entry.inputMin = numberField(fields[8]);
    if (fields.size() > 9)
        entry.inputMax = numberField(fields[9]);
    result.entry = entry;
    return result;
}

std::vector<CalibEntry> calibEntries(const config::CLineList& lines) {
    std::vector<CalibEntry> entries;
    for (std::size_t index : config::sectionContent(lines, "Calib")) {
        if (std::optional<CalibEntry> entry = parseCalibLine(lines.textAt(index)).entry)
            entries.push_back(std::move(*entry));
    }
    return entries;
}

std::uint16_t calibRaw(const CalibEntry& entry, const config::EcuImage& image) {
    return entry.byteCount == 2 ? image.word(entry.address) : image.byte(entry.address);
}

void storeCalibRaw(const CalibEntry& entry, config::EcuImage& image, std::uint16_t raw) {
    if (entry.byteCount == 2)
        image.setWord(entry.address, raw);
    else
        image.setByte(entry.address, static_cast<std::uint8_t>(raw));
}

float calibToPhysical(int byteCount, float lsb, float offset, int calc, float raw, float delta) {
    const double a = lsb;
    const double b = offset;
    const double r = static_cast<double>(raw) + static_cast<double>(delta);
    double p;
    switch (effectiveCalc(calc)) {
    case 2:
        p = (r == 0.0 || a == 0.0) ? b * Million : Million / (a * r * 6.0) * b;
        break;
    case 3:
        if (byteCount != 2 && r >= 128.0)
            p = -((256.0 - r) * a) - b;
        else if (byteCount == 2 && r >= 32768.0)
            p = -((65536.0 - r) * a) - b;
        else
            p = a * r + b;
        break;
    case 4: {
        const double t = a * r + b + 2068.0;
        p = t == 0.0 ? 29985494.0 : ThirtyMillion / t - Kind4Shift;
        break;
    }
    case 5: {
        const double t = 2.0 * r + b + a;
        p = t == 0.0 ? ThirtyMillion - ThirtyMillion / a : ThirtyMillion / t - ThirtyMillion / a;
        break;
    }
    default:
        p = a * r + b;
        break;
    }
    return text::narrowToFloat(p);
}

float calibValue(const CalibEntry& entry, const config::EcuImage& image) {
    return calibToPhysical(entry.byteCount, entry.lsb, entry.offset, entry.calc,
                           static_cast<float>(calibRaw(entry, image)));
}

double calibFloor(int calc) {
    return effectiveCalc(calc) == 2 ? 1.0 : 0.0;
}

double calibCeiling(int byteCount) {
    return byteCount == 2 ? 65535.0 : 255.0;
}

double calibRawUnclamped(int byteCount, float lsb, float offset, int calc, float physical) {
    const double a = lsb;
    const double b = offset;
    const double p = physical;
    switch (effectiveCalc(calc)) {
    case 2:
        return (p == 0.0 || a == 0.0) ? b * Million : Million / (a * p * 6.0) * b;
    case 3: {
        if (p >= 0.0)
            return (p - b) / a;
        // A negative value wraps into the unsigned width; it is rounded first (never
        // truncated), so that a value a hair above a whole raw value keeps it.
        const double r = std::round((b + p) / a);
        return r < 0.0 ? r + (byteCount == 2 ? 65536.0 : 256.0) : r;
    }
    case 4: {
        const double t = p + Kind4Shift;
        return t == 0.0 ? (29997932.0 - b) / a : (ThirtyMillion / t - 2068.0 - b) / a;
    }
    case 5: {
        const double u = ThirtyMillion / a + p;
        return u == 0.0 ? (ThirtyMillion - a - b) * 0.5 : (ThirtyMillion / u - a - b) * 0.5;
    }
    default:
        return (p - b) / a;
    }
}

CalibRaw calibToRaw(int byteCount, float lsb, float offset, int calc, float physical) {
    const double floor = calibFloor(calc);
    const double ceiling = calibCeiling(byteCount);
    // Rounded before the range check, so that the float noise of a value read from a raw
    // value at the floor or ceiling does not count as out of range.
    double raw = std::round(calibRawUnclamped(byteCount, lsb, offset, calc, physical));
    bool inRange = true;
    if (std::isnan(raw) || raw < floor) {
        raw = floor;
        inRange = false;
    } else if (raw > ceiling) {
        raw = ceiling;
        inRange = false;
    }
    return {inRange, static_cast<float>(raw)};
}

} // namespace qmx::maps
