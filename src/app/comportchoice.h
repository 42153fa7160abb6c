#pragma once

#include "text/status.h"

#include <optional>
#include <string>
#include <vector>

#include "app/startupsettings.h"
#include "ecu/portsearch.h"

namespace qmx::text {
class MessageSink;
}
namespace qmx::ecu {
class Link;
}

// The logic of the "Com Port" dialog: the port list, "&Auto Select", and OK with its search.
namespace qmx::app {

class Configuration;
class LinkHost;

// What the dialog edits: the line settings (line.port is the port index) and the automatic
// port selection switch.
struct ComPortValues {
    LineIndexes line;
    bool autoSelect = true;
};

// The values the application holds now: the open configuration's line settings, the current
// port index and the switch of the link.
ComPortValues currentComPortValues(const Configuration& configuration, ecu::Link& link);

// After OK: the line settings go into the open configuration and the link (in memory), the port
// index into qmx.INI and the registry file, the switch into the registry file. 0, or
// FailedToWriteFile when a file could not be written (the values still serve this run).
text::Status storeComPortValues(const ComPortValues& values, Configuration& configuration,
                                LinkHost& host);

// The line-setting controls the dialog keeps hidden and disabled: set from the values when it
// opens and read back on OK, so that the line settings pass through it unchanged.
struct HiddenLineControls {
    int speedRadio = -1; // 0..5 (600..19200 baud); -1: none set
    bool eightBits = true;
    int parityRadio = -1; // 0..2 (No, Odd, Even); -1: none set
    int stopRadio = -1;   // 0..2 (1, 1.5, 2); -1: none set
    bool xFlow = false;   // "&X Fllow"
    int comRadio = 0;     // 0..7 for "Com1".."Com8"

    // The controls for `line`: each radio of its index when there is one, "Com1" for a port
    // index outside 1..7.
    static HiddenLineControls from(const LineIndexes& line);
    // The line settings the controls hold (the port index left as in `line`); nothing when no
    // speed, parity or stop radio is set.
    std::optional<LineIndexes> readBack(LineIndexes line) const;
};

class ComPortChoice {
public:
    // Entries of the port list: port indexes 0..255.
    static constexpr int kEntries = 256;
    enum class Outcome { StayOpen, Accepted };

    // The dialog opening on `values` over the ports `listPorts` found.
    ComPortChoice(ComPortValues values, std::vector<ecu::PortEntry> ports);

    // Entry `entry` of the list: "COM" and the port number left-aligned in four columns,
    // followed by the display name of the port when it was found.
    std::string entryText(int entry) const;
    int selectedEntry() const { return m_selected; }
    // Selects entry `entry`; an entry outside 0..255 selects entry 0.
    void selectEntry(int entry);

    bool autoSelect() const { return m_values.autoSelect; }
    // The list is enabled exactly when "&Auto Select" is not ticked.
    bool listEnabled() const { return !m_values.autoSelect; }
    // Ticks or clears "&Auto Select"; the list is filled again from `ports`, keeping its entry.
    void setAutoSelect(bool on, std::vector<ecu::PortEntry> ports);

    const HiddenLineControls& hiddenControls() const { return m_hidden; }

    // OK. 1512 ("All Parameters are not defined") when the hidden controls lack a setting;
    // without "&Auto Select" the selected entry becomes the port; with it the port search runs
    // on `link`, the list is filled again on the port it named, and the dialog closes with
    // 57657 or stays open with 1552. Messages go to `sink`, captioned "Com Port".
    Outcome accept(ecu::Link& link, text::MessageSink& sink);
    // The values to store after Accepted.
    const ComPortValues& values() const { return m_values; }

private:
    ComPortValues m_values;
    HiddenLineControls m_hidden;
    std::vector<ecu::PortEntry> m_ports;
    int m_selected = 0;
};

} // namespace qmx::app
