#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/session.h"
#include "cli/transfersession.h"
#include "ecu/transfercommands.h"

namespace qmx::cli {

namespace {

// read CONFIG [--save | --as OUT]: the read command; the ECU's data replace the edit data.
class ReadCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "read",
            "Read the ECU's data area into the configuration's data and print Complete; "
            "progress on standard error. Without --save or --as nothing is written",
            m_config);
        CLI::Option* save = sub->add_flag("--save", m_save, "save the configuration in place");
        sub->add_option("--as", m_as, "save the configuration packed to this file")->excludes(save);
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config))
            return status;
        text::Status result;
        {
            TransferSession transfer(session);
            // A failure was shown through the sink already.
            result = ecu::readEcuCommand(transfer.context(), transfer.document(), {});
        }
        if (result != 0)
            return 1;
        if (m_save)
            result = session.app().save(session.sink());
        else if (!m_as.empty())
            result = session.app().saveAs(m_as, session.sink());
        return result == 0 ? 0 : session.fail(result);
    }

private:
    std::string m_config;
    bool m_save = false;
    std::string m_as;
};

} // namespace

std::unique_ptr<Command> makeReadCommand() {
    return std::make_unique<ReadCommand>();
}

} // namespace qmx::cli
