#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/linksession.h"
#include "cli/session.h"
#include "ecu/systemportlister.h"

namespace qmx::cli {

namespace {

// ports: the serial ports of this machine and the port links of the home folder.
class PortsCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        return parent.add_subcommand(
            "ports", "List the serial ports, one line each: COM name, display name and device, "
                     "separated by tabs");
    }

    int run(Session& session) override {
        ecu::SystemPortLister lister(homeFolder(session), platform::SysfsTtyRoot);
        for (const ecu::PortInfo& port : lister.enumerate())
            session.out() << port.portName << '\t' << port.displayName << '\t' << port.deviceText
                          << '\n';
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> makePortsCommand() {
    return std::make_unique<PortsCommand>();
}

} // namespace qmx::cli
