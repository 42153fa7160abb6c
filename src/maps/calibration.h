#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ecuimage.h"
#include "config/linelist.h"

// Calibration constants: the lines of the [Calib] section and the conversion of a constant's
// raw value to physical and back through its numbered formula kind.
namespace qmx::maps {

// One constant that takes part in editing, compare and export.
struct CalibEntry {
    std::uint16_t address = 0;
    int byteCount = 1; // 1: a byte; 2: a big-endian word
    std::string contents;
    float lsb = 0.0f;    // coefficient A
    float offset = 0.0f; // coefficient B
    std::string unit;
    int calc = 1; // formula kind 1..5 (other numbers act as 1)
    bool readOnly = false;
    std::optional<float> inputMin;
    std::optional<float> inputMax;
};

// One line of the [Calib] section: its first seven comma fields as written (missing ones
// empty), and the entry when the line takes part: at least seven fields, an address of 1 to
// 4 hexadecimal digits, a size of exactly "1" or "2", numeric LSB and offset, a Calc field that
// is empty or a whole number, and no word at 0xFFFF.
struct CalibLine {
    std::array<std::string, 7> fields;
    std::optional<CalibEntry> entry;
};
CalibLine parseCalibLine(std::string_view line);

// The entries of the [Calib] lines of `lines` that take part, in file order: the constant list
// of the map bar and the rows of the constant editor.
std::vector<CalibEntry> calibEntries(const config::CLineList& lines);

// The raw value of `entry` in `image`: a byte, or a big-endian word.
std::uint16_t calibRaw(const CalibEntry& entry, const config::EcuImage& image);
// Stores `raw` as the value of `entry` in `image`: its low byte, or a big-endian word.
void storeCalibRaw(const CalibEntry& entry, config::EcuImage& image, std::uint16_t raw);

// The physical value of raw + delta with formula kind `calc`, computed in double and rounded
// to float once.
float calibToPhysical(int byteCount, float lsb, float offset, int calc, float raw,
                      float delta = 0.0f);

// The physical value of `entry` in `image`.
float calibValue(const CalibEntry& entry, const config::EcuImage& image);

// The lowest and highest raw value of an entry: floor 1 for kind 2 and 0 otherwise; ceiling
// 65535 for words (byte count 2), 255 otherwise.
double calibFloor(int calc);
double calibCeiling(int byteCount);

// A physical value converted to raw: rounded half away from zero, then clamped to
// [floor, ceiling] (NaN counts as below the floor); inRange is false when it was clamped.
struct CalibRaw {
    bool inRange = true;
    float raw = 0.0f;
};
CalibRaw calibToRaw(int byteCount, float lsb, float offset, int calc, float physical);

// The raw value of `physical` by the kind's formula, before clamping and rounding.
double calibRawUnclamped(int byteCount, float lsb, float offset, int calc, float physical);

} // namespace qmx::maps
