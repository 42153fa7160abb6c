#pragma once

#include "app/linkhost.h"
#include "ecu/progresswindow.h"
#include "ecu/steadyclockpump.h"

#include <ostream>
#include <string>

namespace qmx::cli {

class Session;

// The progress window of an ECU exchange on the error stream: the title when it opens, then each
// status text that differs from the one before, and each retry text, a line each. On a terminal
// the status texts share one line that each new one overwrites in place.
class StderrProgress : public ecu::ProgressWindow {
public:
    StderrProgress(std::ostream& err, bool terminal) : m_err(err), m_terminal(terminal) {}
    void open(std::string_view title) override;
    void setStatus(std::string_view text) override;
    void setRetry(std::string_view text) override;
    void close() override { endStatusLine(); }

private:
    // Ends the status line that a terminal shows, so that what follows starts a line of its own.
    void endStatusLine();

    std::ostream& m_err;
    bool m_terminal;
    std::string m_status;
    bool m_statusLineOpen = false;
};

// The QMX home folder of the run: --home, else the one qmx finds.
std::string homeFolder(const Session& session);

// The serial link of one qmxctl run over the started session: a steady-clock tick, the
// communication log opened as at start-up, the open configuration's serial settings and
// machine code when one is open, and --port as a port for this run only (nothing stored, no
// search before the first open).
class LinkSession {
public:
    // `session` must be started and outlive the link session.
    explicit LinkSession(Session& session);

    app::LinkHost& host() { return m_host; }
    ecu::Link& link() { return m_host.link(); }
    ecu::ProgressWindow& progress() { return m_progress; }

private:
    ecu::SteadyClockPump m_pump;
    app::LinkHost m_host;
    StderrProgress m_progress;
};

} // namespace qmx::cli
