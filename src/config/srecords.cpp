#include "config/srecords.h"

#include <algorithm>

#include "config/linerules.h"
#include "text/messages.h"

namespace qmx::config {

namespace {

constexpr std::string_view Terminator = "S9030000FC";
constexpr std::size_t RecordDataBytes = 16;
// Lines this short are passed over in [Data]: the writer's "Calib:" and "Fixed:" labels.
constexpr std::size_t LabelLength = 9;

enum class RecordFault { None, Format, WrongWord };

std::uint8_t checksumOf(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i)
        sum += bytes[i];
    return static_cast<std::uint8_t>(~sum & 0xFF);
}

RecordFault decodeS1(std::string_view line, SRecord& record) {
    if (line.size() < 2 || line[0] != 'S' || line[1] != '1' || line.size() % 2 != 0)
        return RecordFault::Format;
    std::vector<std::uint8_t> bytes;
    bytes.reserve((line.size() - 2) / 2);
    for (std::size_t i = 2; i < line.size(); i += 2) {
        const auto value = parseHex(line.substr(i, 2));
        if (!value)
            return RecordFault::WrongWord;
        bytes.push_back(static_cast<std::uint8_t>(*value));
    }
    // The count covers the two address bytes, the data and the checksum byte.
    if (bytes.empty() || bytes[0] < 3 || bytes.size() < std::size_t{1} + bytes[0])
        return RecordFault::Format;
    const std::size_t dataCount = bytes[0] - 3u;
    const std::size_t address = (std::size_t{bytes[1]} << 8) | bytes[2];
    if (address + dataCount > EcuImage::Size)
        return RecordFault::Format;
    record.address = static_cast<std::uint16_t>(address);
    record.data.assign(bytes.begin() + 3,
                       bytes.begin() + 3 + static_cast<std::ptrdiff_t>(dataCount));
    record.checksumOk = checksumOf(bytes.data(), 3 + dataCount) == bytes[3 + dataCount];
    return RecordFault::None;
}

bool isLongContentLine(std::string_view line) {
    return isContentLine(line) && line.size() > LabelLength;
}

// Decodes the records from the line after `header` up to an S9 record or the end of the list,
// noting those whose checksum is wrong.
int parseRecords(const CLineList& lines, std::size_t header, std::vector<SRecord>& records,
                 ChecksumFaults& faults) {
    for (std::size_t i = header + 1; i < lines.count(); ++i) {
        const std::string_view line = lines.textAt(i);
        if (!isLongContentLine(line))
            continue;
        if (line.starts_with("S9"))
            return text::msg::Success;
        SRecord record;
        switch (decodeS1(line, record)) {
        case RecordFault::None:
            if (!record.checksumOk && faults.count++ == 0) {
                faults.firstLine = i;
                faults.firstAddress = record.address;
            }
            records.push_back(std::move(record));
            break;
        case RecordFault::Format:
            return text::msg::SFormatError;
        case RecordFault::WrongWord:
            return text::msg::WrongWordInData;
        }
    }
    return text::msg::Success;
}

std::string formatS1(const EcuImage& image, std::uint16_t address, std::size_t dataCount) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::vector<std::uint8_t> bytes;
    bytes.reserve(dataCount + 3);
    bytes.push_back(static_cast<std::uint8_t>(dataCount + 3));
    bytes.push_back(static_cast<std::uint8_t>(address >> 8));
    bytes.push_back(static_cast<std::uint8_t>(address & 0xFF));
    for (std::size_t i = 0; i < dataCount; ++i)
        bytes.push_back(image.byte(static_cast<std::uint16_t>(address + i)));
    bytes.push_back(checksumOf(bytes.data(), bytes.size()));
    std::string text = "S1";
    for (std::uint8_t byte : bytes) {
        text.push_back(Digits[byte >> 4]);
        text.push_back(Digits[byte & 0x0F]);
    }
    return text;
}

} // namespace

std::optional<SRecord> parseS1Record(std::string_view line) {
    SRecord record;
    if (decodeS1(line, record) != RecordFault::None)
        return std::nullopt;
    return record;
}

text::Status loadDataSection(const CLineList& lines, EcuImage& image, ChecksumFaults* faults) {
    const auto header = findSection(lines, "Data");
    if (!header)
        return text::msg::DataSectionNotFound;
    // The search for a first record runs on past later section headers.
    bool anyRecordLine = false;
    for (std::size_t i = *header + 1; i < lines.count() && !anyRecordLine; ++i) {
        const std::string_view line = lines.textAt(i);
        anyRecordLine = isLongContentLine(line) && line.starts_with("S1");
    }
    if (!anyRecordLine)
        return text::msg::DataSectionDataNotFound;

    // Every record is checked before the first byte is stored, so a bad file changes nothing.
    std::vector<SRecord> records;
    ChecksumFaults found;
    if (const int result = parseRecords(lines, *header, records, found))
        return result;
    std::size_t low = EcuImage::Size;
    std::size_t high = 0;
    for (const SRecord& record : records) {
        if (record.data.empty())
            continue;
        low = std::min<std::size_t>(low, record.address);
        high = std::max(high, record.address + record.data.size() - 1);
    }
    if (low > high)
        return text::msg::DataSectionDataNotFound;
    for (const SRecord& record : records) {
        for (std::size_t i = 0; i < record.data.size(); ++i)
            image.setByte(static_cast<std::uint16_t>(record.address + i), record.data[i]);
    }
    image.setRange(static_cast<std::uint16_t>(low), static_cast<std::uint16_t>(high));
    if (faults)
        *faults = found;
    return text::msg::Success;
}

bool fixImageChecksum(EcuImage& image) {
    if (image.low() > image.high())
        return false;
    unsigned sum = 0;
    for (std::uint16_t address = image.low(); address < image.high(); ++address)
        sum += image.byte(address);
    const auto value = static_cast<std::uint8_t>((0x7F - sum) & 0xFF);
    if (image.byte(image.high()) == value)
        return false;
    image.setByte(image.high(), value);
    return true;
}

void regenerateDataSection(CLineList& lines, const EcuImage& image) {
    const auto header = findSection(lines, "Data");
    if (!header)
        return;
    std::vector<std::string> section{"Calib:"};
    const std::size_t count =
        image.low() <= image.high() ? std::size_t{image.high()} - image.low() + 1 : 0;
    encodeSRecords(image, image.low(), count, section);
    section.emplace_back("Fixed:");
    // The blank and comment lines of the old section follow the new lines; the whole section
    // is then replaced at once, so the lines after it move only once.
    const std::size_t end = sectionEnd(lines, *header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (!isContentLine(lines.textAt(i)))
            section.push_back(lines.textAt(i));
    }
    lines.replaceRange(*header + 1, end, std::move(section));
}

void encodeSRecords(const EcuImage& image, std::uint16_t start, std::size_t count,
                    std::vector<std::string>& out) {
    count = std::min(count, EcuImage::Size - start);
    for (std::size_t offset = 0; offset < count; offset += RecordDataBytes) {
        const std::size_t dataCount = std::min(RecordDataBytes, count - offset);
        out.push_back(formatS1(image, static_cast<std::uint16_t>(start + offset), dataCount));
    }
    out.emplace_back(Terminator);
}

} // namespace qmx::config
