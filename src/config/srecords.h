#pragma once

#include "text/status.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/ecuimage.h"
#include "config/linelist.h"

// The memory image as Motorola S-records: the configuration's [Data] section (16-bit S1 records
// closed by an S9 record) and the records the ECU exchanges.
namespace qmx::config {

// One S1 record decoded from text.
struct SRecord {
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
    bool checksumOk = false; // the checksum byte is the ones' complement of the record's sum
};

// Decodes one "S1" line: count byte, two address bytes (high first), count - 3 data bytes and
// the checksum byte; whole bytes after the checksum are ignored. Nothing when the line does not
// start with "S1", has an odd length or a non-hexadecimal character, its count is below 3 or
// claims more bytes than the line holds, or its data would run past 0xFFFF.
std::optional<SRecord> parseS1Record(std::string_view line);

// The records of a [Data] section whose checksum byte is wrong.
struct ChecksumFaults {
    std::size_t count = 0;          // how many records
    std::size_t firstLine = 0;      // line-list index of the first one, when count > 0
    std::uint16_t firstAddress = 0; // its address
};

// Loads the records of the [Data] section into `image` and sets its range to the lowest and
// highest address they covered. Returns 0, or 1507 (no [Data] section), 1508 (no record, or
// no data byte), 1509 (malformed record or line) or 1510 (non-hexadecimal character). On
// failure neither the image bytes nor its range change. A record whose checksum is wrong is
// loaded all the same (files in the field rely on it); after a successful load `faults`, when
// given, tells which records they were.
text::Status loadDataSection(const CLineList& lines, EcuImage& image,
                             ChecksumFaults* faults = nullptr);

// Stores (0x7F - the sum of the bytes low() .. high() - 1) modulo 256 at high(), so the range
// adds up to 0x7F. True when that byte changed; false, and nothing stored, when low() > high().
bool fixImageChecksum(EcuImage& image);

// Replaces the content lines of the [Data] section by "Calib:", the S1 records of low() ..
// high(), "S9030000FC" and "Fixed:"; blank and comment lines of the section stay after them.
// Nothing happens without a [Data] section; no S1 record is written when low() > high().
void regenerateDataSection(CLineList& lines, const EcuImage& image);

// Appends the S1 records covering `count` image bytes from `start` (16 data bytes each, the
// last one the rest; upper-case digits), then "S9030000FC". Bytes past 0xFFFF are not covered.
void encodeSRecords(const EcuImage& image, std::uint16_t start, std::size_t count,
                    std::vector<std::string>& out);

} // namespace qmx::config
