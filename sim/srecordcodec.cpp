#include "sim/srecordcodec.h"

#include <algorithm>

namespace qmx::sim {

namespace {

constexpr std::size_t BytesPerRecord = 16;
constexpr std::size_t HeadLength = 4; // "S", the type, the count's two digits
constexpr unsigned CountOverhead = 3; // the count covers two address bytes and the checksum

// The byte whose two digits start at `at`; the caller has checked that they are digits.
std::uint8_t byteAt(std::string_view text, std::size_t at) {
    return static_cast<std::uint8_t>(hexDigit(text[at]) * 16 + hexDigit(text[at + 1]));
}

} // namespace

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string hexByte(unsigned value) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    return {Digits[(value >> 4) & 0xFu], Digits[value & 0xFu]};
}

std::string recordText(char type, std::uint16_t address, const std::vector<std::uint8_t>& data) {
    const auto count = static_cast<unsigned>(data.size() + CountOverhead);
    unsigned sum = count + (address >> 8) + (address & 0xFFu);
    std::string text{'S', type};
    text += hexByte(count) + hexByte(address >> 8u) + hexByte(address);
    for (const std::uint8_t byte : data) {
        text += hexByte(byte);
        sum += byte;
    }
    return text + hexByte(~sum);
}

std::vector<std::string> encodeS1Records(std::uint16_t address,
                                         const std::vector<std::uint8_t>& bytes) {
    std::vector<std::string> records;
    for (std::size_t done = 0; done < bytes.size(); done += BytesPerRecord) {
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(done);
        const std::size_t length = std::min(BytesPerRecord, bytes.size() - done);
        records.push_back(recordText('1', static_cast<std::uint16_t>(address + done),
                                     {first, first + static_cast<std::ptrdiff_t>(length)}));
    }
    records.push_back(recordText('9', 0, {}));
    return records;
}

std::size_t announcedLength(std::string_view record) {
    if (record.size() < HeadLength || record[0] != 'S' || hexDigit(record[2]) < 0 ||
        hexDigit(record[3]) < 0)
        return 0;
    return HeadLength + 2 * std::size_t{byteAt(record, 2)};
}

S1Record decodeS1Record(std::string_view text) {
    S1Record record;
    const bool digitsOnly = std::all_of(text.begin() + std::min<std::size_t>(2, text.size()),
                                        text.end(), [](char c) { return hexDigit(c) >= 0; });
    if (!text.starts_with("S1") || text.size() < HeadLength || !digitsOnly) {
        record.problem = "not an S1 record";
        return record;
    }
    const unsigned count = byteAt(text, 2);
    const std::size_t length = announcedLength(text);
    if (count < CountOverhead)
        record.problem = "count below 3";
    else if (text.size() < length)
        record.problem = "count past the end of the line";
    else if (text.size() > length)
        record.problem = "characters after the checksum";
    if (!record.problem.empty())
        return record;

    std::vector<std::uint8_t> bytes; // count, address, data, checksum
    for (std::size_t at = 2; at < length; at += 2)
        bytes.push_back(byteAt(text, at));
    record.address = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
    record.data.assign(bytes.begin() + 3, bytes.end() - 1);
    unsigned sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
        sum += bytes[i];
    if (std::size_t{record.address} + record.data.size() > 0x10000)
        record.problem = "data past address FFFF";
    else if (static_cast<std::uint8_t>(~sum) != bytes.back())
        record.problem = "wrong checksum";
    return record;
}

} // namespace qmx::sim
