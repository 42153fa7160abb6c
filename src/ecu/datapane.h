#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Blocks of ECU data with their start address, as read from the ECU, loaded from the edit data
// or from a file, and compared.
namespace qmx::ecu {

// The number of 16-address display rows that `count` bytes from `start` touch (0 for none).
int paneRows(std::uint32_t start, std::size_t count);

struct DataPane {
    std::uint16_t start = 0;
    std::vector<std::uint8_t> bytes; // start + bytes.size() never exceeds 0x10000
    int firstShownRow = 0;
    int rows = 0;
    std::string title;    // "ECU Data", "Edit Data  [ path ]", "File Data  [ path ]"
    std::string label;    // the column head of a difference listing: "ECU", "Edit" or "File"
    bool partial = false; // holds only the part of an interrupted read

    std::size_t count() const { return bytes.size(); }
    bool empty() const { return bytes.empty(); }
    // Replaces the data with `data` from `address` (cut at 0xFFFF) under `newTitle`: rows follow
    // the data, the first shown row is 0 and the partial flag is cleared.
    void fill(std::uint16_t address, std::vector<std::uint8_t> data, std::string newTitle);
    // No data: count, start and rows 0; title and label stay.
    void clear();
    bool holds(std::uint32_t address) const;
    // The byte at ECU address `address`; nothing outside the pane.
    std::optional<std::uint8_t> byteAt(std::uint32_t address) const;
    // Whether the pane shows its byte at `address` as a difference: the pane is partial, or
    // `other` has no byte there or another one.
    bool differsAt(std::uint32_t address, const DataPane& other) const;
};

enum class PaneTarget { First, Second };

// The compare object without its window: the two panes that reads, writes and the verify fill,
// the error and status texts the read and write commands leave for the caller, and whether a
// read stored data into the edit image.
struct CompareData {
    DataPane first;
    DataPane second;
    std::string errorText;
    std::string statusText;
    bool imageChanged = false;

    DataPane& pane(PaneTarget target) { return target == PaneTarget::Second ? second : first; }
};

} // namespace qmx::ecu
