#include "ecu/monitor.h"

#include "ecu/ecucheck.h"
#include "platform/profile.h"
#include "text/messages.h"
#include "text/messagesink.h"
#include "text/numbers.h"

#include <algorithm>

namespace qmx::ecu {

namespace {

constexpr std::string_view kSelectSection = "DIAGSELECT";
constexpr std::string_view kLabel = "Monitor";
// A value whose whole-number part is this long is shown without decimals.
constexpr std::size_t kWholeDigits = 6;

std::string selectKey(std::size_t row) {
    return "SELECT" + std::to_string(row);
}

float numberOf(std::string_view text) {
    return text::scanFloat(text).value_or(0.0f);
}

} // namespace

std::string monitorValueText(const config::MonitorItem& item, unsigned raw) {
    const float value = static_cast<float>(raw) * numberOf(item.gain) + numberOf(item.offset);
    const std::string full = text::formatFixed(value, 8);
    const std::string whole = full.substr(0, full.find('.'));
    return whole.size() < kWholeDigits ? text::formatFixed(value, 1) : whole;
}

bool canAddMonitorRow(const std::vector<int>& rows) {
    return rows.size() < config::kMaxMonitorRows;
}

bool addMonitorRow(std::vector<int>& rows, int item, int before) {
    if (!canAddMonitorRow(rows))
        return false;
    const bool inside = before >= 0 && static_cast<std::size_t>(before) < rows.size();
    const auto at = inside ? rows.begin() + before : rows.end();
    const auto inserted = rows.insert(at, item);
    const auto position = inserted - rows.begin();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i] == item && static_cast<std::ptrdiff_t>(i) != position) {
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    return true;
}

void removeMonitorRow(std::vector<int>& rows, int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < rows.size())
        rows.erase(rows.begin() + row);
}

Monitor::Monitor(Link& link, const std::vector<config::MonitorItem>& items, std::vector<int>& rows)
    : m_link(link), m_items(items), m_rows(rows) {
    m_link.setListener(this);
}

Monitor::~Monitor() {
    m_link.setListener(nullptr);
}

bool Monitor::setRows(std::vector<int> rows) {
    if (rows.size() > config::kMaxMonitorRows)
        return false;
    for (const int row : rows) {
        const bool names = row >= 0 && static_cast<std::size_t>(row) < m_items.size();
        if (!names || std::count(rows.begin(), rows.end(), row) > 1)
            return false;
    }
    if (rows == m_rows)
        return false;
    m_rows = std::move(rows);
    m_cycle = 0;
    return true;
}

void Monitor::itemsChanged() {
    m_pending.reset();
    m_cycle = 0;
}

bool Monitor::saveSelection(platform::Profile& profile) const {
    bool written = true;
    std::size_t row = 0;
    for (; row < m_rows.size(); ++row)
        written = profile.writeString(kSelectSection, selectKey(row),
                                      m_items[static_cast<std::size_t>(m_rows[row])].name) &&
                  written;
    // Names left from a longer list are blanked, so the next read stops after these rows.
    for (; !profile.readString(kSelectSection, selectKey(row), "").empty(); ++row)
        written = profile.writeString(kSelectSection, selectKey(row), "") && written;
    return written;
}

text::Status Monitor::reportStart(text::MessageSink& sink, text::Status result) const {
    if (result != text::msg::Success)
        sink.show(m_link.failureText(result), text::messageText(text::msg::ComPortCaption),
                  text::Icon::Exclamation);
    return result;
}

text::Status Monitor::startFromCommand(text::MessageSink& sink) {
    if (monitoring())
        return text::msg::Success;
    text::Status result;
    {
        TransferScope transfer(m_link.arbiter());
        result = EcuCheckCommand(m_link, false);
        if (result == text::msg::Success && m_link.openConfiguredPort(true))
            result = text::msg::FailedOpenPort;
    }
    return reportStart(sink, result);
}

text::Status Monitor::startFromWindow(text::MessageSink& sink) {
    if (monitoring())
        return text::msg::Success;
    if (m_link.openConfiguredPort(true))
        return reportStart(sink, text::msg::FailedOpenPort);
    text::Status result;
    {
        TransferScope transfer(m_link.arbiter());
        result = EcuCheckCommand(m_link, false);
    }
    if (result != text::msg::Success)
        m_link.closePort();
    return reportStart(sink, result);
}

void Monitor::stopMonitor() {
    if (m_link.portOpen() && m_pending) {
        const unsigned steps = m_link.countdown().left();
        for (unsigned step = 0; step < steps && m_pending; ++step)
            pollStep();
    }
    m_link.closePort();
}

void Monitor::pollStep() {
    if (!m_pending) {
        sendNext();
        return;
    }
    if (m_pending->item >= m_items.size()) {
        m_pending.reset();
        return;
    }
    const config::MonitorItem& item = m_items[m_pending->item];
    const int needed = item.length == 1 ? 1 : 2;
    int moved = 0;
    std::uint8_t& slot = m_pending->answer[static_cast<std::size_t>(m_pending->received)];
    const bool ok = m_link.readLogged(slot, moved, kLabel);
    // A device that hung up has been closed, which dropped the item.
    if (!m_pending)
        return;
    m_pending->received += moved;
    if (m_pending->received == needed) {
        m_link.countdown().set(kMonitorAnswerTicks);
        const std::array<std::uint8_t, 2>& answer = m_pending->answer;
        const unsigned raw = needed == 1 ? answer[0] : answer[0] * 256u + answer[1];
        finishPending(monitorValueText(item, raw));
    } else if (!ok || m_link.countdown().left() == 0) {
        m_link.clearLineErrors();
        finishPending("Error");
    }
}

void Monitor::sendNext() {
    if (!m_link.portOpen())
        return;
    if (m_link.arbiter().foregroundBusy()) {
        m_claim.reset();
        return;
    }
    if (!m_claim)
        m_claim.emplace(m_link.arbiter());
    const std::size_t polled = m_view ? m_rows.size() : 0;
    if (m_cycle >= polled) {
        m_cycle = 0;
        return;
    }
    const auto item = static_cast<std::size_t>(m_rows[m_cycle]);
    // A row that names no item is passed over.
    if (item >= m_items.size()) {
        ++m_cycle;
        return;
    }
    m_pending.emplace(item, m_link.arbiter());
    int moved = 0;
    const bool sent = m_link.writeLogged(m_items[item].request, moved, kLabel);
    if (!m_pending)
        return;
    m_link.countdown().set(kMonitorAnswerTicks);
    // A request that could not go out gets no answer.
    if (!sent) {
        m_link.clearLineErrors();
        finishPending("Error");
    }
}

void Monitor::finishPending(std::string_view text) {
    const std::size_t item = m_pending->item;
    m_pending.reset();
    ++m_cycle;
    showInRow(item, text);
}

void Monitor::showInRow(std::size_t item, std::string_view text) {
    if (!m_view)
        return;
    const auto row = std::find(m_rows.begin(), m_rows.end(), static_cast<int>(item));
    if (row != m_rows.end())
        m_view->showValue(static_cast<int>(row - m_rows.begin()), text);
}

void Monitor::portClosed() {
    m_pending.reset();
    m_claim.reset();
    if (m_view)
        m_view->monitoringEnded();
}

} // namespace qmx::ecu
