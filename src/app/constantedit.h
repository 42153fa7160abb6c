#pragma once

#include <optional>
#include <string_view>

#include "config/ecuimage.h"
#include "config/linelist.h"
#include "maps/calibration.h"
#include "maps/rangewarning.h"
#include "text/status.h"

// Typing a physical value for a calibration constant, as the constant editor commits it.
namespace qmx::app {

struct ConstantCommit {
    // 0, WrongWord (1554) for a character other than digits and "." (a sign may lead),
    // ValueCannotBeEdited (1556) when the entry has no valid range, or a refusal of
    // checkConstantRaw; the image is then unchanged.
    int message = 0;
    // Set when the typed value lay outside the valid range: the nearest allowed value was
    // stored and the user is to be told which.
    std::optional<maps::RangeWarning> warning;
    bool changed = false; // an image byte changed
};

// Commits `text` into `entry` of `image`: the value converted to raw through the typed-constant
// rules (a value that converts to nothing keeps the current raw value) and stored as a byte or
// a big-endian word.
ConstantCommit commitConstantText(const maps::CalibEntry& entry, config::EcuImage& image,
                                  std::string_view text);

// Whether `raw` may be stored into `entry`: InputMaxOver (1002) for a byte entry at 256 or more,
// DataOverWordSize (1555) at 65536 or more, CannotInputZero (1615) for 0 of kind 2 (whose
// physical value divides by the raw value).
text::Status checkConstantRaw(const maps::CalibEntry& entry, long raw);

// The first [Calib] entry that takes part and whose Contents is `contents`.
std::optional<maps::CalibEntry> findCalibEntry(const config::CLineList& lines,
                                               std::string_view contents);

} // namespace qmx::app
