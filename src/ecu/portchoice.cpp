#include "ecu/portchoice.h"

#include "ecu/portindexstore.h"

namespace qmx::ecu {

int PortChoice::currentPortIndex() {
    return ecu::currentPortIndex(m_store);
}

bool PortChoice::setPortIndex(int index) {
    return ecu::setPortIndex(m_store, index);
}

} // namespace qmx::ecu
