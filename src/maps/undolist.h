#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

// The undo records of one map, oldest first, kept within a budget.
namespace qmx::maps {

// One change: the image addresses it overwrote and the raw values found there before.
struct UndoRecord {
    int kind = 0;                         // family × 10 + part (0 Z, 1 X, 2 Y)
    std::vector<std::uint16_t> addresses; // the editors write exactly one
    std::vector<std::uint16_t> values;    // a word for a word axis
    bool grouped = false;                 // same user action as the record before it

    int family() const { return kind / 10 * 10; }
    int part() const { return kind % 10; }
    // Budget units: one per address and two per value.
    std::size_t cost() const { return addresses.size() + 2 * values.size(); }
};

class UndoList {
public:
    const std::deque<UndoRecord>& records() const { return m_records; }
    bool empty() const { return m_records.empty(); }
    std::size_t size() const { return m_records.size(); }
    // Summed cost of all records.
    std::size_t cost() const { return m_cost; }
    // The newest record; the list must not be empty.
    const UndoRecord& newest() const { return m_records.back(); }

    // Deletes the oldest records while the summed cost is at least `budget`, then appends
    // `record`; the new record is always kept, whatever the budget.
    void append(UndoRecord record, std::size_t budget);
    // Removes the newest record; nothing when empty.
    void dropNewest();
    // Whether a record of the newest group (the newest record and those it is grouped with)
    // has `kind` and first address `address`.
    bool newestGroupHolds(int kind, std::uint16_t address) const;

private:
    std::deque<UndoRecord> m_records;
    std::size_t m_cost = 0;
};

} // namespace qmx::maps
