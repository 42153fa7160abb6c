#include "sim/imagefile.h"

#include "config/linelist.h"
#include "config/linerules.h"
#include "config/packedfile.h"
#include "config/plainfile.h"
#include "sim/srecordcodec.h"
#include "text/status.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qmx::sim {

namespace {

// Whether `line` is no record at all: a blank, a comment, or a label such as the "Calib:" and
// "Fixed:" that a configuration's [Data] section holds around its records.
bool isBesideTheRecords(std::string_view line) {
    return !config::isContentLine(line) || line.ends_with(':');
}

// Reads the records from line `first` on into `memory`; empty text or what went wrong.
std::string loadRecords(const config::CLineList& lines, std::size_t first,
                        config::EcuImage& memory) {
    std::vector<S1Record> records;
    for (std::size_t i = first; i < lines.count(); ++i) {
        const std::string_view line = config::trim(lines.textAt(i));
        if (isBesideTheRecords(line) || line.starts_with("S0") || line.starts_with("S5"))
            continue;
        if (line.starts_with("S7") || line.starts_with("S8") || line.starts_with("S9"))
            break;
        S1Record record = decodeS1Record(line);
        if (!record.problem.empty())
            return "line " + std::to_string(i + 1) + ": " + record.problem;
        if (!record.data.empty())
            records.push_back(std::move(record));
    }
    if (records.empty())
        return "no data bytes";
    std::uint32_t low = 0xFFFF;
    std::uint32_t high = 0;
    for (const S1Record& record : records) {
        std::uint16_t address = record.address;
        for (const std::uint8_t value : record.data)
            memory.setByte(address++, value);
        low = std::min<std::uint32_t>(low, record.address);
        high = std::max<std::uint32_t>(high, record.address + record.data.size() - 1);
    }
    memory.setRange(static_cast<std::uint16_t>(low), static_cast<std::uint16_t>(high));
    return {};
}

} // namespace

std::string loadImage(const std::string& path, config::EcuImage& memory) {
    config::CLineList lines;
    if (config::readPackedFile(path, lines)) {
        lines.clear();
        if (const text::Status error = config::readPlainFile(path, lines))
            return std::string(text::messageText(error));
    }
    // A configuration keeps its records in [Data]; any other file is records from the start.
    const auto header = config::findSection(lines, "Data");
    return loadRecords(lines, header ? *header + 1 : 0, memory);
}

} // namespace qmx::sim
