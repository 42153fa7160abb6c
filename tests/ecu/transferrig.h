#pragma once

#include "ecu/transfercontext.h"
#include "fakes.h"

#include "config/ecuimage.h"
#include "config/linelist.h"
#include "maps/mapset.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// A memory ECU behind a fake line and an open configuration, for the read, write, compare and
// command tests.
namespace qmx::ecu::test {

// An ECU that answers the identification queries ("KD", "7E"), echoes the commands, sends a
// text after 'L' 'R' (the next of `readTexts` per read, the last one repeating) and takes the
// records after 'L' 'W', answering `resultByte` after the end record.
class FakeMemoryEcu {
public:
    std::vector<std::string> readTexts;
    std::uint8_t resultByte = '0';
    // Echo this command byte wrong (when not -1).
    int wrongCommandEcho = -1;
    // Called with the record received so far (this character included); true echoes it wrong.
    std::function<bool(const std::string&)> wrongRecordEcho;

    // The records of the last write, and the reads and writes started.
    std::vector<std::string> writtenRecords;
    int reads = 0;
    int writes = 0;

    std::function<Bytes(std::uint8_t)> responder();

private:
    Bytes onByte(std::uint8_t byte);

    enum class State { Idle, AfterMemory, Reading, Writing } m_state = State::Idle;
    std::size_t m_echoesDue = 0;
    std::string m_record;
};

// S1 records for `bytes` from `start` (16 data bytes each), then "S9030000FC", without breaks.
std::string recordText(std::uint16_t start, const std::vector<std::uint8_t>& bytes);

// A configuration whose data range is `low` .. `high`, the edit image, its maps and the link to
// a fake memory ECU on port 0 (auto-select off, TIMEOUT 10).
struct TransferRig {
    TransferRig(std::uint16_t low, std::uint16_t high, LinkSettings settings = fastSettings());
    static LinkSettings fastSettings();

    EcuDocument document();
    TransferContext context() { return {rig.link, progress, rig.sink}; }
    // The image bytes low .. high.
    std::vector<std::uint8_t> imageBytes() const;

    config::EcuImage image;
    maps::MapSet maps{image};
    config::CLineList lines;
    app::NumberFormats formats;
    std::string path = "/cal/car.rcz";
    std::string machineFolder;
    std::optional<std::vector<std::uint8_t>> snapshot;
    int modifiedMarks = 0;

    LinkRig rig;
    FakeMemoryEcu ecu;
    RecordingProgress progress;
};

} // namespace qmx::ecu::test
