#pragma once

#include "platform/portenumeration.h"

#include <string>
#include <vector>

// Finding the serial port the ECU is attached to.
namespace qmx::ecu {

class Link;

// One serial port found on the machine.
struct PortEntry {
    int index = 0;                   // port number - 1
    std::string displayName;         // shown in the Com Port dialog
    bool portsClass = true;          // a serial port proper
    platform::PortDetails details{}; // whether this user may open it, the USB adapter behind it
};

// The present ports with a COM name (COM1..COM256), sorted by index, one per index (a port
// proper preferred, else the first listed); each found and each removed duplicate is logged.
std::vector<PortEntry> listPorts(Link& link);

// Tries the current port, then every other listed port in ascending order, opening each with its
// scan time-out and the ECU check; the first that passes is selected and stored in `portOut`.
// When none passes, `portOut` gets the first port that answered with another identification, if
// any, and the search fails. An open port is taken as it is. Leaves the port as it found it,
// logs the search, records the outcome as the link's search-done flag and returns it.
bool searchPort(Link& link, int* portOut);

// "COM%d %s was Selected." for port `index` and its display name among `ports` (empty when the
// port is not listed).
std::string portSelectedText(int index, const std::vector<PortEntry>& ports);

} // namespace qmx::ecu
