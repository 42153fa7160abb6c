#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/startupsettings.h"
#include "config/diagcom.h"
#include "config/ecuimage.h"
#include "config/linelist.h"
#include "config/srecords.h"
#include "maps/mapset.h"
#include "platform/filelock.h"

// The one open configuration: its lines, the memory image, the maps and what else the file
// sets, and the state of the file it came from.
namespace qmx::app {

// How a configuration file is read or written.
enum class FileLayout {
    PackedThenPlain = 0, // read packed; when that fails, plain (the batch export's open)
    Plain = 1,
    Packed = 2,
};

// Why a configuration is opened. For editing, a file that another process holds (another qmx
// editing it) is write-denied, and the file is held while it is open. For reading only (an
// export), a held file is read all the same and nothing is held.
enum class OpenFor { Editing, Reading };

// Heap-allocate it: it holds the 64 KiB image. Neither copyable nor movable (the maps refer to
// the image and report modifications to this object).
class Configuration {
public:
    Configuration();
    Configuration(const Configuration&) = delete;
    Configuration& operator=(const Configuration&) = delete;

    config::CLineList lines;
    config::EcuImage image; // not cleared by an open: bytes outside [Data] keep their values
    maps::MapSet maps{image};
    std::vector<config::MonitorItem> monitorItems;
    std::vector<int> monitorRows;          // up to 15 indexes into monitorItems, in row order
    std::string machineCode;               // two characters, or empty; an open without one keeps it
    config::ChecksumFaults damagedRecords; // [Data] records whose checksum is wrong
    LineIndexes line;                      // start-up values with this file's RS232C over them
    std::int32_t commandRetryCount = 1;
    std::string path;              // full path of the open file; empty when no document is open
    std::string title;             // the file's name
    bool loadedFromPacked = false; // read packed, or written by a successful Save As
    bool modified = false;
    platform::FileLock lock;

    bool isOpen() const { return !path.empty(); }
    // Makes `path` the current file, its name the title.
    void setFile(const std::string& filePath);

    // The no-document state: no path or title, no lines, maps, link or monitor items, the lock
    // released, not modified. The image keeps its bytes and the machine code stays.
    void clear();
};

} // namespace qmx::app
