#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/session.h"
#include "cli/transfersession.h"
#include "ecu/transfercommands.h"

namespace qmx::cli {

namespace {

// write CONFIG: the write command; prints the ECU's response text.
class WriteCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub =
            addConfigCommand(parent, "write",
                             "Write the configuration's data area into the ECU and print the ECU's "
                             "response text; progress on standard error",
                             m_config);
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config))
            return status;
        TransferSession transfer(session);
        // The outcome was shown through the sink already.
        return ecu::writeEcuCommand(transfer.context(), transfer.document(), {}) == 0 ? 0 : 1;
    }

private:
    std::string m_config;
};

} // namespace

std::unique_ptr<Command> makeWriteCommand() {
    return std::make_unique<WriteCommand>();
}

} // namespace qmx::cli
