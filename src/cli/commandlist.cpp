#include "cli/command.h"

namespace qmx::cli {

std::unique_ptr<Command> makeExportCommand();
std::unique_ptr<Command> makeSaveCommand();
std::unique_ptr<Command> makeInfoCommand();
std::unique_ptr<Command> makeSetCommand();
std::unique_ptr<Command> makePortsCommand();
std::unique_ptr<Command> makeSearchCommand();
std::unique_ptr<Command> makeCheckCommand();
std::unique_ptr<Command> makePokeCommand();
std::unique_ptr<Command> makeReadCommand();
std::unique_ptr<Command> makeWriteCommand();
std::unique_ptr<Command> makeVerifyCommand();
std::unique_ptr<Command> makeMonitorCommand();

std::vector<std::unique_ptr<Command>> makeCommands() {
    using Factory = std::unique_ptr<Command> (*)();
    static constexpr Factory kFactories[] = {
        makeExportCommand,
        makeSaveCommand,
        makeInfoCommand,
        makeSetCommand,
        makePortsCommand,
        makeSearchCommand,
        makeCheckCommand,
        makePokeCommand,
        makeReadCommand,
        makeWriteCommand,
        makeVerifyCommand,
        makeMonitorCommand,
    };
    std::vector<std::unique_ptr<Command>> commands;
    for (Factory factory : kFactories)
        commands.push_back(factory());
    return commands;
}

} // namespace qmx::cli
