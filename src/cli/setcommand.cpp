#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/edits.h"
#include "cli/session.h"

namespace qmx::cli {

namespace {

// set CONFIG EDIT... [--as OUT]: typed values through the editors' commit rules, then a save.
class SetCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        m_sub = parent.add_subcommand(
            "set", "Type values into maps and constants, then save: CONFIG followed by "
                   "--map NAME --cell ROW,COL VALUE | --map NAME --x COL[,ROW] VALUE | "
                   "--map NAME --z ROW VALUE | --const CONTENTS VALUE ... [--as OUT] "
                   "(rows and columns count from 0)");
        // The edits are ordered and values may start with "-": they are parsed here, in order.
        m_sub->prefix_command();
        m_sub->allow_extras();
        return m_sub;
    }

    int run(Session& session) override {
        SetArguments parsed;
        if (const auto problem = parseSetArguments(m_sub->remaining(), parsed))
            return session.fail(*problem);
        if (const int status = session.open(parsed.config))
            return status;
        for (const Edit& edit : parsed.edits) {
            if (const int status = applyEdit(session, edit))
                return status;
        }
        const text::Status result = parsed.saveAs.empty()
                                        ? session.app().save(session.sink())
                                        : session.app().saveAs(parsed.saveAs, session.sink());
        return result == 0 ? 0 : session.fail(result);
    }

private:
    CLI::App* m_sub = nullptr;
};

} // namespace

std::unique_ptr<Command> makeSetCommand() {
    return std::make_unique<SetCommand>();
}

} // namespace qmx::cli
