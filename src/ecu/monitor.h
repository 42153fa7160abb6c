#pragma once

#include "text/status.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/diagcom.h"
#include "ecu/link.h"

namespace qmx::text {
class MessageSink;
}
namespace qmx::platform {
class Profile;
}

// The monitor: live values of the running ECU. While it runs, every 100 ms tick of the link
// either sends the request byte of the next row item or reads one byte of the answer awaited;
// the raw answer becomes a text through the item's gain and offset.
namespace qmx::ecu {

// Ticks an answer may take before the row shows "Error".
constexpr unsigned kMonitorAnswerTicks = 10;

// The text of a value: raw × gain + offset in single precision (gain and offset read from their
// texts, 0 when unreadable), with one decimal, or its whole-number part alone when that part
// has 6 characters or more.
std::string monitorValueText(const config::MonitorItem& item, unsigned raw);

// The item dialog's rules over a row list (item indexes in row order).
// Whether another row may be added: fewer than 15 rows.
bool canAddMonitorRow(const std::vector<int>& rows);
// Inserts `item` before row `before` (appends when `before` is not a row) and removes its other
// entry, so an item is listed once. False, and no change, when 15 rows are held.
bool addMonitorRow(std::vector<int>& rows, int item, int before);
// Removes row `row`; nothing when there is no such row.
void removeMonitorRow(std::vector<int>& rows, int row);

// Where the Monitor window shows its values; the desktop program draws it, qmxctl prints it.
class MonitorView {
public:
    virtual ~MonitorView() = default;
    // Row `row` (0..14) has a new value text, or "Error".
    virtual void showValue(int row, std::string_view text) = 0;
    // The port closed (a stop, or a connection that was lost): no monitoring runs now.
    virtual void monitoringEnded() {}
};

class Monitor : public LinkListener {
public:
    // Becomes the link's listener. The items and the row list (item indexes in row order) are
    // those of the open configuration; the link, the items and the rows must outlive the
    // monitor.
    Monitor(Link& link, const std::vector<config::MonitorItem>& items, std::vector<int>& rows);
    ~Monitor() override;
    Monitor(const Monitor&) = delete;
    Monitor& operator=(const Monitor&) = delete;

    const std::vector<config::MonitorItem>& items() const { return m_items; }
    const std::vector<int>& rows() const { return m_rows; }
    // The item dialog's OK: takes `rows` when every index names an item, no item twice and at
    // most 15 rows; true when the list changed (the Monitor window is then built again).
    bool setRows(std::vector<int> rows);
    // The configuration's items changed (another file was opened, or the document closed):
    // drops an answer awaited and starts the cycle again.
    void itemsChanged();

    // Writes the rows' names into section DIAGSELECT as SELECT0, SELECT1, ... and blanks the
    // further keys that held names. False when the file could not be written.
    bool saveSelection(platform::Profile& profile) const;

    // The Monitor window, null while it does not exist. Rows are polled only while it exists.
    void setView(MonitorView* view) { m_view = view; }
    MonitorView* view() const { return m_view; }

    // Monitoring: the port is open with the tick running.
    bool monitoring() const { return m_link.portOpen() && m_link.countdown().running(); }
    // The Start command: identifies the ECU, then opens the port with the tick. Returns 0 (also
    // when monitoring already), the check result (1524, 1542, 57651) or 1518 when the port did
    // not open; a failure is shown captioned "Com Port", with why the port did not open.
    text::Status startFromCommand(text::MessageSink& sink);
    // The window's Start button: opens the port, then identifies the ECU; a failed check closes
    // the port again. Results as startFromCommand.
    text::Status startFromWindow(text::MessageSink& sink);
    // Ends monitoring: an answer awaited gets at most the ticks left of its wait, then the port
    // closes (dropping it).
    void stopMonitor();

    // One tick's step; see the class comment. Holds the communication lock while an answer is
    // awaited, and claims the line (monitorCycleActive) while it cycles without a transfer
    // wanting the line.
    void pollStep() override;
    // Drops the answer awaited with its hold on the lock, and the claim on the line.
    void portClosed() override;

    // The item whose answer is awaited.
    std::optional<std::size_t> pendingItem() const {
        return m_pending ? std::optional<std::size_t>(m_pending->item) : std::nullopt;
    }

private:
    // The exchange of one item: its answer so far, and the communication lock it holds until
    // the answer is complete or abandoned.
    struct Pending {
        Pending(std::size_t pendingItem, LineArbiter& arbiter) : item(pendingItem), hold(arbiter) {}
        std::size_t item;
        int received = 0;
        std::array<std::uint8_t, 2> answer{};
        CommLockHold hold;
    };

    text::Status reportStart(text::MessageSink& sink, text::Status result) const;
    void sendNext();
    // Ends the exchange of the pending item, showing `text` in its row when the window has one.
    void finishPending(std::string_view text);
    void showInRow(std::size_t item, std::string_view text);

    Link& m_link;
    const std::vector<config::MonitorItem>& m_items;
    std::vector<int>& m_rows;
    MonitorView* m_view = nullptr;

    std::size_t m_cycle = 0;
    std::optional<Pending> m_pending;
    // The monitor's claim on the line while its cycle runs (monitorCycleActive).
    std::optional<MonitorClaim> m_claim;
};

} // namespace qmx::ecu
