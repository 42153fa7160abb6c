#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/linksession.h"
#include "cli/session.h"
#include "ecu/ecucheck.h"
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

        // Like the monitor start: open (searching once when auto-select is on), then one check.
        link.setTransferActive(true);
        text::Status result;
        if (!link.openConfiguredPort(false))
            result = link.searchDone() ? text::msg::FailedOpenPort : text::msg::AutoSelectFailed;
        else
            result = ecu::EcuCheckCommand(link, false);
        link.closePort();
        link.setTransferActive(false);

        if (result != text::msg::Success)
            return session.fail(result);
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
