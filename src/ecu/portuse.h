#pragma once

#include "text/status.h"

namespace qmx::ecu {

class Link;

// One command's use of the port: it opens the port when the command finds it closed and closes
// it again when the command ends, so that a command leaves the port as it found it.
class PortUse {
public:
    explicit PortUse(Link& link) : m_link(link) {}
    // Closes the port when this use opened it.
    ~PortUse() { release(); }
    PortUse(const PortUse&) = delete;
    PortUse& operator=(const PortUse&) = delete;

    // Makes sure the ECU on the line is identified. A closed port is opened as configured, with
    // the tick, and the check at its open (with retries) decides; on a port found open the check
    // runs once without retries, or not at all when `unlessPassed` and it has passed since the
    // open. Returns the check result (0, 1524, 1542, 57651), or why the port did not open (1518
    // with the link's problemText(), 1552).
    text::Status openAndIdentify(bool unlessPassed = false);
    // Closes the port now when this use opened it.
    void release();

private:
    Link& m_link;
    bool m_opened = false;
};

} // namespace qmx::ecu
