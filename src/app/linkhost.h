#pragma once

#include "text/status.h"

#include "app/appportindexstore.h"
#include "ecu/commolog.h"
#include "ecu/link.h"
#include "ecu/linksettings.h"
#include "ecu/systemportlister.h"
#include "ecu/termiosportfactory.h"
#include "platform/portenumeration.h"

#include <filesystem>
#include <string_view>

namespace qmx::text {
class MessageSink;
}

namespace qmx::app {

struct AppSettings;
struct LineIndexes;

// The settings the link runs with: the line indexes `line` and `commandRetryCount` (those of
// the open configuration, or of qmx.INI when none is open), the timing values of qmx.INI and
// everything else from the registry file, with the command bytes of the selected letter map.
ecu::LinkSettings linkSettingsFrom(const AppSettings& settings, const LineIndexes& line,
                                   int commandRetryCount);

// Where the host services look for devices.
struct LinkHostPlaces {
    std::filesystem::path homeFolder;                            // ports/COMn links
    std::filesystem::path sysfsTtyRoot = platform::SysfsTtyRoot; // present tty devices
};

// The serial link of a front end with the host services it runs on: termios devices, the
// system's port list, the port stores of the settings and the communication log. The front end
// supplies the event pump (a Qt timer in the desktop program, a steady clock in qmxctl).
// Starts with the line settings of qmx.INI; single-threaded like the link.
class LinkHost {
public:
    // `settings` and `pump` must outlive the host.
    LinkHost(AppSettings& settings, ecu::EventPump& pump, LinkHostPlaces places);
    LinkHost(const LinkHost&) = delete;
    LinkHost& operator=(const LinkHost&) = delete;

    // Opens the communication log named by the registry's ecu::CommoLog (deleting the file first
    // when CommoLogDelete is 1) and writes its header with `versionText`. 0 when it opened or no
    // log is asked for; 57652 when its folder cannot be made or the file cannot be opened (also
    // shown through `sink`; the program runs without a log).
    text::Status openLog(std::string_view versionText, text::MessageSink& sink);
    // Where the link says, once per adapter and run, that a USB adapter holds received bytes
    // back and how to change that; `sink` must outlive the host.
    void setNoticeSink(text::MessageSink& sink);

    // Takes the serial settings of a configuration that was just opened: its line indexes
    // (built from qmx.INI's, so nothing of an earlier configuration remains), its command retry
    // count, its CommPort where the settings name no port, and its machine code when it has one.
    // Line settings take effect at the next open of the port.
    void applyConfiguration(const LineIndexes& line, int commandRetryCount,
                            std::string_view machineCode);
    // Uses port `portIndex` for the rest of the run without storing it anywhere, and skips the
    // once-per-run port search, since the port is named.
    void overridePort(int portIndex);

    ecu::Link& link() { return m_link; }
    ecu::CommoLog& log() { return m_log; }
    ecu::PortLister& portLister() { return m_lister; }

private:
    AppSettings& m_settings;
    ecu::CommoLog m_log;
    ecu::TermiosPortFactory m_ports;
    ecu::SystemPortLister m_lister;
    AppPortIndexStore m_store;
    ecu::Link m_link;
};

} // namespace qmx::app
