#include "ecu/systemportlister.h"

#include "platform/comports.h"
#include "platform/portenumeration.h"

namespace qmx::ecu {

SystemPortLister::SystemPortLister(std::filesystem::path homeFolder,
                                   std::filesystem::path sysfsTtyRoot)
    : m_homeFolder(std::move(homeFolder)), m_sysfsTtyRoot(std::move(sysfsTtyRoot)) {
}

std::vector<PortInfo> SystemPortLister::enumerate() {
    std::vector<PortInfo> ports;
    for (const platform::PortEntry& entry :
         platform::enumeratePorts(m_sysfsTtyRoot, m_homeFolder)) {
        ports.push_back({platform::comName(entry.portIndex), entry.displayName,
                         entry.device.string(), true, entry.details});
    }
    return ports;
}

} // namespace qmx::ecu
