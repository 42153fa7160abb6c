#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/session.h"
#include "cli/transfersession.h"
#include "ecu/link.h"
#include "ecu/monitor.h"
#include "ecu/monitorrecording.h"

#include <algorithm>
#include <chrono>

namespace qmx::cli {

namespace {

// Prints every value as it arrives: milliseconds since the start, item name, value text, unit.
class CsvView : public ecu::MonitorView {
public:
    CsvView(std::ostream& out, const ecu::Monitor& monitor) : m_out(out), m_monitor(monitor) {}
    void showValue(int row, std::string_view text) override {
        const auto item = static_cast<std::size_t>(m_monitor.rows()[static_cast<std::size_t>(row)]);
        const config::MonitorItem& shown = m_monitor.items()[item];
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - m_start);
        m_out << ecu::monitorCsvLine(ms, shown, text) << std::flush;
    }

private:
    std::ostream& m_out;
    const ecu::Monitor& m_monitor;
    const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// monitor CONFIG [--ticks N] [--items NAME,...]: the monitor for N ticks of 100 ms.
class MonitorCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "monitor",
            "Poll the ECU's live values as the Monitor window does and print one CSV "
            "line per value as it arrives: milliseconds, item name, value, unit",
            m_config);
        sub->add_option("--ticks", m_ticks, "how long to run, in ticks of 100 ms")
            ->capture_default_str()
            ->check(CLI::Range(1, 36'000'000));
        sub->add_option("--items", m_items,
                        "the items to poll, by name (at most 15; default: the saved rows)")
            ->delimiter(',');
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config))
            return status;
        app::Configuration& configuration = session.configuration();
        if (configuration.monitorItems.empty())
            return session.fail("the configuration has no monitor items");
        std::vector<int> rows = configuration.monitorRows;
        if (!m_items.empty()) {
            rows.clear();
            for (const std::string& name : m_items) {
                const auto& items = configuration.monitorItems;
                const auto item = std::find_if(items.begin(), items.end(),
                                               [&](const auto& i) { return i.name == name; });
                if (item == items.end())
                    return session.fail("no monitor item is named " + name);
                rows.push_back(static_cast<int>(item - items.begin()));
            }
        }
        TransferSession transfer(session);
        ecu::Link& link = transfer.link();
        ecu::Monitor monitor(link, configuration.monitorItems, configuration.monitorRows);
        if (rows != configuration.monitorRows && !monitor.setRows(rows))
            return session.fail("--items names at most 15 items, each once");
        CsvView view(session.out(), monitor);
        monitor.setView(&view);

        // A failure was shown through the sink already.
        if (monitor.startFromCommand(transfer.context().sink) != 0)
            return 1;
        ecu::TickCountdown& ticks = link.countdown();
        const std::uint64_t end = ticks.tickCount() + static_cast<std::uint64_t>(m_ticks);
        // Each turn sleeps until the next tick; a port that was lost ends the run.
        while (link.portOpen() && ticks.tickCount() < end)
            ticks.waitOne();
        const bool lost = !link.portOpen();
        monitor.stopMonitor();
        return lost ? session.failText(link.problemText()) : 0;
    }

private:
    std::string m_config;
    int m_ticks = 100;
    std::vector<std::string> m_items;
};

} // namespace

std::unique_ptr<Command> makeMonitorCommand() {
    return std::make_unique<MonitorCommand>();
}

} // namespace qmx::cli
