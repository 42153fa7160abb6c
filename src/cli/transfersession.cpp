#include "cli/transfersession.h"

#include "cli/session.h"

namespace qmx::cli {

text::Answer TransferSession::ReportSink::show(std::string_view text, std::string_view caption,
                                               text::Icon icon, text::Buttons buttons) {
    if (icon != text::Icon::Information || buttons != text::Buttons::Ok)
        return m_others.show(text, caption, icon, buttons);
    m_out << text << '\n' << std::flush;
    return text::Answer::Ok;
}

TransferSession::TransferSession(Session& session)
    : m_link(session), m_sink(session.out(), session.sink()),
      m_document(app::documentOf(session.app())), m_context{m_link.link(), m_link.progress(),
                                                            m_sink} {
}

} // namespace qmx::cli
