#include "cli/transfersession.h"

#include "cli/session.h"

namespace qmx::cli {

app::Answer TransferSession::ReportSink::show(std::string_view text, std::string_view caption,
                                              app::Icon icon, app::Buttons buttons) {
    if (icon != app::Icon::Information || buttons != app::Buttons::Ok)
        return m_others.show(text, caption, icon, buttons);
    m_out << text << '\n' << std::flush;
    return app::Answer::Ok;
}

TransferSession::TransferSession(Session& session)
    : m_link(session), m_sink(session.out(), session.sink()),
      m_document(ecu::documentOf(session.app())), m_context{m_link.link(), m_link.progress(),
                                                            m_sink} {
}

} // namespace qmx::cli
