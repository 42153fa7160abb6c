#pragma once

#include "ecu/portlister.h"

#include <filesystem>

namespace qmx::ecu {

// Lists the serial ports of this machine: the present tty devices under `sysfsTtyRoot` and the
// links ports/COMn of the QMX home folder, each under its COM name.
class SystemPortLister : public PortLister {
public:
    SystemPortLister(std::filesystem::path homeFolder, std::filesystem::path sysfsTtyRoot);

    // One entry per COM number; empty when nothing can be read.
    std::vector<PortInfo> enumerate() override;

private:
    std::filesystem::path m_homeFolder;
    std::filesystem::path m_sysfsTtyRoot;
};

} // namespace qmx::ecu
