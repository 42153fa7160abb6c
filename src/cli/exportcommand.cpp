#include <CLI/CLI.hpp>

#include <ctime>

#include "app/batchexport.h"
#include "cli/command.h"
#include "cli/session.h"
#include "text/messages.h"

namespace qmx::cli {

namespace {

// export CONFIG OUT: the batch export of qmx; OUT "-" prints the text instead.
class ExportCommand : public Command {
public:
    CLI::App* define(CLI::App& parent) override {
        CLI::App* sub = addConfigCommand(
            parent, "export", "Write the export text of a configuration (as `qmx CONFIG OUT` does)",
            m_config);
        sub->add_option("OUT", m_out, "export file to write, or - for standard output")->required();
        return sub;
    }

    int run(Session& session) override {
        if (m_out != "-") {
            if (const int status = session.start())
                return status;
            return app::runBatchExport(session.app(), m_config, m_out, session.sink());
        }
        if (const int status = session.open(m_config, app::OpenFor::Reading))
            return status;
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        ::localtime_r(&now, &local);
        session.out() << app::exportText(session.configuration(), session.app().formats(), local);
        return session.out() ? 0 : session.fail(text::msg::FailedToWriteFile);
    }

private:
    std::string m_config;
    std::string m_out;
};

} // namespace

std::unique_ptr<Command> makeExportCommand() {
    return std::make_unique<ExportCommand>();
}

} // namespace qmx::cli
