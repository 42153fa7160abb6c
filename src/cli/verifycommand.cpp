#include <CLI/CLI.hpp>

#include "cli/command.h"
#include "cli/session.h"
#include "cli/transfersession.h"
#include "ecu/compare.h"
#include "ecu/transfercommands.h"

namespace qmx::cli {

namespace {

// verify CONFIG (--edit-ecu | --file-ecu FILE | --edit-file FILE) [--log OUT]: the data
// compare; prints the compare log.
class VerifyCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "verify",
            "Compare two of the edit data, a packed configuration file and the ECU, "
            "and print the compare log: the constants and map cells that differ, or "
            "Same",
            m_config);
        CLI::Option_group* sources = sub->add_option_group("sources", "what is compared");
        sources->add_flag("--edit-ecu", m_editEcu, "the edit data with the ECU");
        sources->add_option("--file-ecu", m_fileEcu, "FILE's data with the ECU");
        sources->add_option("--edit-file", m_editFile, "the edit data with FILE's data");
        sources->require_option(1);
        sub->add_option("--log", m_log, "also save the log to this file");
        sub->fallthrough();
        return sub;
    }

    int run(Session& session) override {
        if (const int status = session.open(m_config))
            return status;
        const ecu::CompareChoice choice = m_editEcu            ? ecu::CompareChoice::EditWithEcu
                                          : !m_fileEcu.empty() ? ecu::CompareChoice::FileWithEcu
                                                               : ecu::CompareChoice::EditWithFile;
        std::string log;
        text::Status result;
        {
            TransferSession transfer(session);
            transfer.document().maps.fixChecksum();
            ecu::CompareData data;
            // A loader that fails shows its message through the sink.
            const std::string& file =
                choice == ecu::CompareChoice::FileWithEcu ? m_fileEcu : m_editFile;
            result = ecu::verify(transfer.context(), transfer.document(), data, choice, file, log);
        }
        if (result != 0)
            return 1;
        session.out() << ecu::compareLogText(log);
        if (!m_log.empty() && (result = ecu::saveCompareLog(m_log, log)))
            return session.fail(result);
        return 0;
    }

private:
    std::string m_config;
    bool m_editEcu = false;
    std::string m_fileEcu;
    std::string m_editFile;
    std::string m_log;
};

} // namespace

std::unique_ptr<Command> makeVerifyCommand() {
    return std::make_unique<VerifyCommand>();
}

} // namespace qmx::cli
