#include "cli/linksession.h"

#include "app/versiontext.h"
#include "cli/session.h"
#include "platform/homefolder.h"

namespace qmx::cli {

void StderrProgress::open(std::string_view title) {
    endStatusLine();
    m_status.clear();
    m_err << title << '\n' << std::flush;
}

void StderrProgress::setStatus(std::string_view text) {
    if (text == m_status)
        return;
    if (m_terminal) {
        // Back to the start of the line; spaces wipe what a longer text before left behind.
        const std::size_t wipe = m_status.size() > text.size() ? m_status.size() - text.size() : 0;
        m_err << '\r' << text << std::string(wipe, ' ') << std::flush;
        m_statusLineOpen = true;
    } else {
        m_err << text << '\n' << std::flush;
    }
    m_status = text;
}

void StderrProgress::setRetry(std::string_view text) {
    if (text.empty())
        return;
    endStatusLine();
    m_err << text << '\n' << std::flush;
}

void StderrProgress::endStatusLine() {
    if (!m_statusLineOpen)
        return;
    m_err << '\n' << std::flush;
    m_statusLineOpen = false;
    m_status.clear();
}

std::string homeFolder(const Session& session) {
    return session.options.home.empty() ? platform::qmxHomeFolder() : session.options.home;
}

LinkSession::LinkSession(Session& session)
    : m_host(session.app().settings(), m_pump, app::LinkHostPlaces{homeFolder(session)}),
      m_progress(session.err(), session.errIsTerminal()) {
    // A log that cannot be opened has been shown by openLog; the run goes on without it.
    static_cast<void>(m_host.openLog(app::versionText(platform::executablePath()), session.sink()));
    m_host.setNoticeSink(session.sink());
    const app::Configuration& configuration = session.configuration();
    if (configuration.isOpen())
        m_host.applyConfiguration(configuration.line, configuration.commandRetryCount,
                                  configuration.machineCode);
    if (session.options.port > 0)
        m_host.overridePort(session.options.port - 1);
}

} // namespace qmx::cli
