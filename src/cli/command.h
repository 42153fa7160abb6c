#pragma once

#include <memory>
#include <string>
#include <vector>

namespace CLI {
class App;
}

namespace qmx::cli {

class Session;

// One sub-command of qmxctl. A new command is one source file defining a make...Command()
// factory, plus its entry in commandlist.cpp.
class Command {
public:
    virtual ~Command() = default;
    // Adds the sub-command, with its options and arguments, to `parent`; returns it.
    virtual CLI::App* define(CLI::App& parent) = 0;
    // Runs the parsed sub-command: the exit status (0 = success; failures print their
    // message on the session's error stream).
    virtual int run(Session& session) = 0;
};

// Adds sub-command `name` with help text `description` to `parent`, with the required
// CONFIG argument (a configuration file, packed or else plain) stored into `config`.
CLI::App* addConfigCommand(CLI::App& parent, const std::string& name,
                           const std::string& description, std::string& config);

// Every command of qmxctl, in the order of the help text.
std::vector<std::unique_ptr<Command>> makeCommands();

// Parses the command line (`argv[0]` is the program), runs the chosen command and returns the
// exit status. Usage errors print CLI11's text and return its non-zero code.
int runQmxctl(int argc, const char* const* argv, Session& session);

} // namespace qmx::cli
