#pragma once

#include "cli/linksession.h"
#include "ecu/transfercontext.h"

#include <ostream>

namespace qmx::cli {

class Session;

// What the ECU transfer commands of qmxctl (read, write, verify, monitor) share: the link of the
// run, the open configuration as the transfers see it, and a sink that prints the program's
// reports ("Complete", the ECU's response text) on standard output and its warnings and
// failures on standard error.
class TransferSession {
public:
    // `session` must hold an open configuration and outlive the transfer session.
    explicit TransferSession(Session& session);
    TransferSession(const TransferSession&) = delete;
    TransferSession& operator=(const TransferSession&) = delete;

    ecu::EcuDocument& document() { return m_document; }
    ecu::TransferContext& context() { return m_context; }
    ecu::Link& link() { return m_link.link(); }

private:
    class ReportSink : public text::MessageSink {
    public:
        ReportSink(std::ostream& out, text::MessageSink& others) : m_out(out), m_others(others) {}
        text::Answer show(std::string_view text, std::string_view caption, text::Icon icon,
                          text::Buttons buttons) override;

    private:
        std::ostream& m_out;
        text::MessageSink& m_others;
    };

    LinkSession m_link;
    ReportSink m_sink;
    ecu::EcuDocument m_document;
    ecu::TransferContext m_context;
};

} // namespace qmx::cli
