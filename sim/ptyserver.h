#pragma once

#include "sim/ecuengine.h"

#include <filesystem>
#include <ostream>
#include <string>

namespace qmx::sim {

// The device end of a pseudo-terminal: the program under test opens the slave as its serial
// port, the engine answers through the master.
class PtyServer {
public:
    PtyServer() = default;
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;
    // Removes the link it created and closes the terminal.
    ~PtyServer();

    // Opens the terminal with its slave in raw mode and takes over SIGTERM, SIGINT and SIGHUP
    // (they end serve()). Returns 0 or an errno.
    [[nodiscard]] int open();
    // The slave's device path, valid after open().
    const std::string& slavePath() const { return m_slavePath; }
    // Makes `link` a symbolic link to the slave, replacing a link already there (folders are
    // created). Returns 0 or an errno; EEXIST when something other than a link is in the way.
    [[nodiscard]] int createLink(const std::filesystem::path& link);
    // Passes bytes between the terminal and `engine` until a signal, or the end of standard
    // input when `watchStdin`. Every wait is a poll up to the engine's next due time. Returns 0
    // on such an end, else the errno that stopped it. `trace` (may be null) gets every byte.
    int serve(EcuEngine& engine, bool watchStdin, std::ostream* trace);

private:
    int m_master = -1;
    int m_slave = -1; // held open so the master never sees a hang-up between openers
    int m_signals = -1;
    std::string m_slavePath;
    std::filesystem::path m_link;
};

} // namespace qmx::sim
