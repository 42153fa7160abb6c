#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/linksession.h"
#include "cli/session.h"
#include "ecu/portsearch.h"
#include "text/messages.h"

namespace qmx::cli {

namespace {

// search [CONFIG]: the port search of the Com Port dialog's Auto Select.
class SearchCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = parent.add_subcommand(
            "search", "Try the current port, then every other port, until the ECU identifies "
                      "itself; store the port found as qmx does (with --port the search starts "
                      "there and stores nothing)");
        sub->add_option("CONFIG", m_config,
                        "configuration whose serial settings and machine code to use");
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        if (const int status = m_config.empty() ? session.start() : session.open(m_config))
            return status;
        LinkSession link(session);
        int found = -1;
        if (!ecu::searchPort(link.link(), &found))
            return session.fail(text::msg::AutoSelectFailed);
        const bool stored = link.link().choice().setPortIndex(found);

        session.out() << ecu::portSelectedText(found, ecu::listPorts(link.link())) << '\n';
        return stored ? 0 : session.fail(text::msg::FailedToWriteFile);
    }

private:
    std::string m_config;
};

} // namespace

std::unique_ptr<Command> makeSearchCommand() {
    return std::make_unique<SearchCommand>();
}

} // namespace qmx::cli
