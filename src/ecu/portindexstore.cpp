#include "ecu/portindexstore.h"

#include "platform/comports.h"

namespace qmx::ecu {

int currentPortIndex(PortIndexStore& store) {
    const int registry = store.registryPort();
    if (registry != -1)
        return registry;
    int index = store.profilePort();
    if (index == -1)
        index = store.configurationPort();
    // A registry that cannot be written costs nothing here: the index serves this run and is
    // offered to the registry again on the next start.
    if (index != -1 && !store.setRegistryPort(index))
        return index;
    return index;
}

bool setPortIndex(PortIndexStore& store, int index) {
    bool stored = true;
    if (index != store.profilePort())
        stored = store.writeProfilePort(platform::portName(index));
    if (index != store.registryPort())
        stored = store.setRegistryPort(index) && stored;
    return stored;
}

} // namespace qmx::ecu
