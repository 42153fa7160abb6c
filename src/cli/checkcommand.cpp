#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/linksession.h"
#include "cli/session.h"
#include "ecu/link.h"
#include "ecu/portuse.h"
#include "text/messages.h"

namespace qmx::cli {

namespace {

// check CONFIG: opens the port as every ECU command does and identifies the ECU.
class CheckCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "check",
            "Open the configured port and identify the ECU against the configuration: "
            "prints Success, or the message on standard error",
            m_config);
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config))
            return status;
        LinkSession linkSession(session);
        ecu::Link& link = linkSession.link();

        // As a command that needs the ECU: open the port (searching once when auto-select is on)
        // and identify the ECU at its open.
        text::Status result;
        {
            ecu::TransferScope transfer(link.arbiter());
            ecu::PortUse port(link);
            result = port.openAndIdentify();
        }
        if (result != text::msg::Success)
            return session.failText(link.failureText(result));
        session.out() << "Success\n";
        return 0;
    }

private:
    std::string m_config;
};

} // namespace

std::unique_ptr<Command> makeCheckCommand() {
    return std::make_unique<CheckCommand>();
}

} // namespace qmx::cli
