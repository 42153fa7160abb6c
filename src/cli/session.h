#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "app/ectapp.h"
#include "text/streamsink.h"

// What every qmxctl command works with: the options before the command, the application
// object with the settings of qmx, and the output streams.
namespace qmx::cli {

struct GlobalOptions {
    std::string home; // the QMX home folder; empty: $QMX_HOME, $XDG_CONFIG_HOME/qmx, ~/.config/qmx
    int port = 0;     // a COM number (1..256) that overrides the port for this run; 0: none
};

class Session {
public:
    Session(std::ostream& out, std::ostream& err);

    GlobalOptions options;

    app::CEctApp& app() { return *m_app; }
    app::Configuration& configuration() { return m_app->configuration(); }
    text::MessageSink& sink() { return m_sink; }
    std::ostream& out() { return m_out; }
    std::ostream& err() { return m_err; }

    // Reads the registry file and qmx.INI as qmx does. 0, or 1 after printing the message.
    int start();
    // start(), then opens `path` (packed, else plain) for `purpose`, printing the warning about
    // damaged [Data] records on stderr; --port then overrides the port. 0, or 1 after printing
    // the message.
    int open(const std::string& path, app::OpenFor purpose = app::OpenFor::Editing);
    // Prints the text of message `message` and returns 1, the failure exit status.
    int fail(text::Status message);
    // Prints the program's own text `text` (a composed message) and returns 1.
    int failText(std::string_view text);
    // Prints "qmxctl: " + `problem` (a problem of qmxctl's own, such as an unknown map name)
    // and returns 1.
    int fail(std::string_view problem);

private:
    std::unique_ptr<app::CEctApp> m_app;
    std::ostream& m_out;
    std::ostream& m_err;
    text::StreamSink m_sink;
};

} // namespace qmx::cli
