#include "maps/typedconstant.h"

#include <algorithm>
#include <cmath>

namespace qmx::maps {

namespace {

using Result = TypedConstant::Result;

float physicalOf(const CalibEntry& entry, double raw) {
    return calibToPhysical(entry.byteCount, entry.lsb, entry.offset, entry.calc,
                           static_cast<float>(raw));
}

// Kinds 1, 2, 4 and 5: one range, monotonic over the raw values.
TypedConstant convertMonotonic(const CalibEntry& entry, float typed) {
    const double floor = calibFloor(entry.calc);
    const double ceiling = calibCeiling(entry.byteCount);
    const float atFloor = physicalOf(entry, floor);
    const float atCeiling = physicalOf(entry, ceiling);
    const bool rising = atCeiling >= atFloor;
    float lo = std::min(atFloor, atCeiling);
    float hi = std::max(atFloor, atCeiling);
    if (entry.inputMin)
        lo = std::max(lo, *entry.inputMin);
    if (entry.inputMax)
        hi = std::min(hi, *entry.inputMax);
    if (std::isnan(lo) || std::isnan(hi) || lo > hi)
        return {Result::NotEditable, 0.0f, std::nullopt};

    if (typed >= lo && typed <= hi) {
        const double raw =
            calibRawUnclamped(entry.byteCount, entry.lsb, entry.offset, entry.calc, typed);
        if (!std::isfinite(raw))
            return {Result::NotConvertible, 0.0f, std::nullopt};
        return {Result::Converted, static_cast<float>(std::clamp(std::round(raw), floor, ceiling)),
                std::nullopt};
    }

    const float end = typed < lo ? lo : hi;
    double raw = calibToRaw(entry.byteCount, entry.lsb, entry.offset, entry.calc, end).raw;
    const float physical = physicalOf(entry, raw);
    const double towardHigher = rising ? 1.0 : -1.0;
    if (physical < lo)
        raw = std::clamp(raw + towardHigher, floor, ceiling);
    else if (physical > hi)
        raw = std::clamp(raw - towardHigher, floor, ceiling);

    TypedConstant result{Result::Converted, static_cast<float>(raw), std::nullopt};
    if (entry.inputMin && entry.inputMax)
        result.warning = RangeWarning{typed, {lo, hi}, std::nullopt, physicalOf(entry, raw)};
    return result;
}

// One interval of kind 3: the physical values of raw values first..last.
struct SignedInterval {
    ValueInterval values;
    double firstRaw;
    double lastRaw;
    bool negative; // raw values with the sign bit set
};

bool contains(const ValueInterval& interval, float value) {
    return value >= interval.lo && value <= interval.hi;
}

// The raw value of `physical` within `interval`, rounded and kept inside its raw values.
std::optional<double> rawIn(const CalibEntry& entry, const SignedInterval& interval,
                            float physical) {
    const double a = entry.lsb;
    const double b = entry.offset;
    const double wrap = interval.lastRaw + 1.0;
    const double raw =
        interval.negative ? std::round((b + physical) / a) + wrap : std::round((physical - b) / a);
    if (!std::isfinite(raw))
        return std::nullopt;
    return std::clamp(raw, interval.firstRaw, interval.lastRaw);
}

// Kind 3: values with the sign bit clear and set, two intervals.
TypedConstant convertSigned(const CalibEntry& entry, float typed) {
    const bool word = entry.byteCount == 2;
    const double half = word ? 32768.0 : 128.0;
    auto interval = [&](double first, double last, bool negative) {
        const float a = physicalOf(entry, first);
        const float b = physicalOf(entry, last);
        return SignedInterval{{std::min(a, b), std::max(a, b)}, first, last, negative};
    };
    const SignedInterval positive = interval(0.0, half - 1.0, false);
    const SignedInterval negative = interval(half, 2.0 * half - 1.0, true);

    for (const SignedInterval* inside : {&positive, &negative}) {
        if (contains(inside->values, typed)) {
            const auto raw = rawIn(entry, *inside, typed);
            if (!raw)
                return {Result::NotConvertible, 0.0f, std::nullopt};
            return {Result::Converted, static_cast<float>(*raw), std::nullopt};
        }
    }

    const bool positiveLower = positive.values.lo <= negative.values.lo;
    const SignedInterval& lower = positiveLower ? positive : negative;
    const SignedInterval& upper = positiveLower ? negative : positive;
    RangeWarning warning{typed, lower.values, std::nullopt, 0.0f};
    const SignedInterval* target = &lower;
    float end = lower.values.lo;
    if (typed > upper.values.hi) {
        target = &upper;
        end = upper.values.hi;
        warning.range = upper.values;
    } else if (!(typed < lower.values.lo)) {
        // Between the intervals: the nearer end; both intervals are named.
        const bool nearerUpper = upper.values.lo - typed < typed - lower.values.hi;
        target = nearerUpper ? &upper : &lower;
        end = nearerUpper ? upper.values.lo : lower.values.hi;
        warning.second = upper.values;
    }
    const auto raw = rawIn(entry, *target, end);
    if (!raw)
        return {Result::NotConvertible, 0.0f, std::nullopt};
    warning.set = physicalOf(entry, *raw);
    return {Result::Converted, static_cast<float>(*raw), warning};
}

} // namespace

TypedConstant convertTypedConstant(const CalibEntry& entry, float typed) {
    return entry.calc == 3 ? convertSigned(entry, typed) : convertMonotonic(entry, typed);
}

} // namespace qmx::maps
