#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/session.h"

namespace qmx::cli {

CLI::App* addConfigCommand(CLI::App& parent, const std::string& name,
                           const std::string& description, std::string& config) {
    CLI::App* sub = parent.add_subcommand(name, description);
    sub->add_option("CONFIG", config, "configuration file (packed, else plain)")->required();
    return sub;
}

int runQmxctl(int argc, const char* const* argv, Session& session) {
    CLI::App cli{"qmxctl: the headless companion of qmx, with the same registry file and qmx.INI",
                 "qmxctl"};
    cli.add_option("--home", session.options.home,
                   "QMX home folder holding registry.reg (default: $QMX_HOME, "
                   "$XDG_CONFIG_HOME/qmx, ~/.config/qmx)");
    cli.add_option("--port", session.options.port, "COM number to use for this run")
        ->check(CLI::Range(1, 256));
    cli.require_subcommand(1);

    const std::vector<std::unique_ptr<Command>> commands = makeCommands();
    std::vector<CLI::App*> subcommands;
    for (const auto& command : commands)
        subcommands.push_back(command->define(cli));
    try {
        cli.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return cli.exit(error, session.out(), session.err());
    }
    for (std::size_t i = 0; i < commands.size(); ++i) {
        if (subcommands[i]->parsed())
            return commands[i]->run(session);
    }
    return 1;
}

} // namespace qmx::cli
