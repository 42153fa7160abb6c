#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The simulator's own reading and writing of Motorola S-records (16-bit addresses), kept apart
// from the program's so that a fault in either shows up when the two talk to each other.
// A record is "S", its type digit, then hexadecimal pairs: the count of the bytes that follow
// (address, data, checksum), the address high byte first, the data and the checksum, which is
// the ones' complement of the low byte of the sum of the count, address and data bytes.
namespace qmx::sim {

// The value of a hexadecimal digit (either case), or -1 for any other character.
int hexDigit(char c);

// `value`'s low byte as two upper-case hexadecimal digits.
std::string hexByte(unsigned value);

// The text of a record of `type` ('1', '9', ...) at `address` holding `data`, upper-case.
std::string recordText(char type, std::uint16_t address, const std::vector<std::uint8_t>& data);

// The S1 records that carry `bytes` from `address` on, 16 data bytes each (the last one the
// rest), followed by the S9 end record at address 0.
std::vector<std::string> encodeS1Records(std::uint16_t address,
                                         const std::vector<std::uint8_t>& bytes);

// The length in characters that a record's count announces, once `record` holds its first
// four characters; 0 before that or when they are not "S", a type and a hexadecimal pair.
std::size_t announcedLength(std::string_view record);

// One S1 record read from text: its address and data, or, when `problem` is not empty, why
// the text is no good S1 record ("not an S1 record", "count below 3", "count past the end of
// the line", "characters after the checksum", "data past address FFFF", "wrong checksum").
struct S1Record {
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
    std::string problem;
};

// Reads one S1 record; the text must be exactly as long as its count says.
S1Record decodeS1Record(std::string_view text);

} // namespace qmx::sim
