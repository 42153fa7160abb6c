#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/session.h"

namespace qmx::cli {

namespace {

// save CONFIG [--as OUT]: Save in the layout read, or Save As (packed) to OUT.
class SaveCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "save", "Open a configuration and save it (in place, or packed with --as)",
            m_config);
        sub->add_option("--as", m_as, "write the packed layout to this file instead");
        return sub;
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config))
            return status;
        const text::Status result = m_as.empty() ? session.app().save(session.sink())
                                                 : session.app().saveAs(m_as, session.sink());
        return result == 0 ? 0 : session.fail(result);
    }

private:
    std::string m_config;
    std::string m_as;
};

} // namespace

std::unique_ptr<Command> makeSaveCommand() {
    return std::make_unique<SaveCommand>();
}

} // namespace qmx::cli
