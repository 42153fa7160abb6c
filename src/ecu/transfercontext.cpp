#include "ecu/transfercontext.h"

#include "ecu/datapane.h"
#include "ecu/exchange.h"
#include "ecu/link.h"
#include "ecu/progresswindow.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <cstdlib>

namespace qmx::ecu {

TransferRun::TransferRun(Link& link)
    : m_link(link), m_transfer(link.arbiter()), m_lock(link.arbiter()), m_port(link) {
    m_foreground.emplace(link.arbiter(), link.countdown());
}

bool TransferRun::drain(std::string_view label) {
    return drainPort(m_link, label);
}

text::Status TransferRun::begin() {
    m_monitorClaim.emplace(m_link.arbiter());
    return m_port.openAndIdentify();
}

void TransferRun::end() {
    m_port.release();
    m_monitorClaim.reset();
    m_foreground.reset();
}

bool TransferRun::attempts(ProgressWindow& progress,
                           const std::function<bool(bool retry)>& attempt) {
    // Widened, so that the magnitude of the most negative count cannot overflow.
    const long long count = m_link.settings().commandRetryCount;
    const long long first = count < 0 ? 1 : 0;
    const long long last = std::llabs(count);
    for (long long number = first; number <= last && m_link.portOpen(); ++number) {
        const bool retry = number > 0;
        if (retry) {
            progress.setStatus(waitText());
            progress.setRetry("(Retry)");
            m_link.logEvent(0, 0, static_cast<int>(number), "(Retry)");
        } else {
            progress.setRetry("");
        }
        if (attempt(retry))
            return true;
    }
    return false;
}

void reportTransferFailure(text::MessageSink& sink, CompareData& data, std::string text,
                           int caption, bool showMessages) {
    if (showMessages)
        sink.show(text, text::messageText(caption), text::Icon::Exclamation);
    else
        data.errorText = std::move(text);
}

} // namespace qmx::ecu
