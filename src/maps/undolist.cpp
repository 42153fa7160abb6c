#include "maps/undolist.h"

namespace qmx::maps {

void UndoList::append(UndoRecord record, std::size_t budget) {
    while (!m_records.empty() && m_cost >= budget) {
        m_cost -= m_records.front().cost();
        m_records.pop_front();
    }
    m_cost += record.cost();
    m_records.push_back(std::move(record));
}

void UndoList::dropNewest() {
    if (m_records.empty())
        return;
    m_cost -= m_records.back().cost();
    m_records.pop_back();
}

bool UndoList::newestGroupHolds(int kind, std::uint16_t address) const {
    for (auto it = m_records.rbegin(); it != m_records.rend(); ++it) {
        if (it->kind == kind && !it->addresses.empty() && it->addresses.front() == address)
            return true;
        if (!it->grouped)
            break;
    }
    return false;
}

} // namespace qmx::maps
