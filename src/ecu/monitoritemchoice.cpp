#include "ecu/monitoritemchoice.h"

#include "ecu/monitor.h"

#include <algorithm>

namespace qmx::ecu {

MonitorItemChoice::MonitorItemChoice(std::size_t itemCount, std::vector<int> rows)
    : m_itemCount(itemCount), m_rows(std::move(rows)) {
}

void MonitorItemChoice::selectItem(int item) {
    m_item = item >= 0 && static_cast<std::size_t>(item) < m_itemCount ? item : -1;
}

void MonitorItemChoice::selectRow(int row) {
    m_row = row >= 0 && static_cast<std::size_t>(row) < m_rows.size() ? row : -1;
}

bool MonitorItemChoice::canAdd() const {
    return m_item >= 0 && canAddMonitorRow(m_rows);
}

void MonitorItemChoice::add() {
    if (!canAdd())
        return;
    const int selectedEntry = m_row >= 0 ? m_rows[static_cast<std::size_t>(m_row)] : -1;
    static_cast<void>(addMonitorRow(m_rows, m_item, m_row)); // canAdd() made room
    if (selectedEntry >= 0) {
        const auto at = std::find(m_rows.begin(), m_rows.end(), selectedEntry);
        m_row = static_cast<int>(at - m_rows.begin());
    }
}

void MonitorItemChoice::remove() {
    if (!canRemove())
        return;
    removeMonitorRow(m_rows, m_row);
    m_row = std::min(m_row, static_cast<int>(m_rows.size()) - 1);
}

} // namespace qmx::ecu
