#include "ecu/portuse.h"

#include "ecu/ecucheck.h"
#include "ecu/link.h"

namespace qmx::ecu {

text::Status PortUse::openAndIdentify(bool unlessPassed) {
    if (!m_link.portOpen()) {
        int check = -1;
        if (const text::Status opened = m_link.openConfiguredPort(true, &check))
            return opened;
        m_opened = true;
        return check;
    }
    if (unlessPassed && m_link.identity().checkPassed())
        return text::msg::Success;
    return EcuCheckCommand(m_link, false);
}

void PortUse::release() {
    if (m_opened)
        m_link.closePort();
    m_opened = false;
}

} // namespace qmx::ecu
