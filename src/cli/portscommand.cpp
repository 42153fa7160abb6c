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
            "ports", "List the serial ports, one line each, separated by tabs: COM name, display "
                     "name, device, whether this user may open it (yes or no), and for a USB "
                     "adapter vendor:product id, product text and serial number");
    }

    int run(Session& session) override {
        ecu::SystemPortLister lister(homeFolder(session), platform::SysfsTtyRoot);
        for (const ecu::PortInfo& port : lister.enumerate()) {
            const platform::PortDetails& details = port.details;
            std::ostream& out = session.out();
            out << port.portName << '\t' << port.displayName << '\t' << port.deviceText << '\t'
                << (details.mayOpen ? "yes" : "no");
            if (const auto& usb = details.usb)
                out << '\t' << usb->vendorId << ':' << usb->productId << '\t' << usb->product
                    << '\t' << usb->serial;
            out << '\n';
        }
        return 0;
    }
};

} // namespace

std::unique_ptr<Command> makePortsCommand() {
    return std::make_unique<PortsCommand>();
}

} // namespace qmx::cli
