#include "ecu/streamprogress.h"

namespace qmx::ecu {

void StreamProgress::open(std::string_view title) {
    m_out << title << '\n';
    m_status = waitText();
    m_retry.clear();
}

void StreamProgress::setStatus(std::string_view text) {
    if (text == m_status)
        return;
    m_status = text;
    m_out << m_status << '\n';
}

void StreamProgress::setRetry(std::string_view text) {
    if (text == m_retry)
        return;
    m_retry = text;
    if (!m_retry.empty())
        m_out << m_retry << '\n';
}

} // namespace qmx::ecu
