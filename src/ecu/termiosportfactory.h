#pragma once

#include "ecu/serialportfactory.h"

#include <filesystem>

namespace qmx::ecu {

class CommoLog;

// Opens ports as termios devices: index n is the link ports/COMn+1 of the QMX home folder when
// present, else the ttyS/ttyUSB/ttyACM device of that COM number. What the device could not set
// as asked (1.5 stop bits run as 2, no CTS flow, fixed framing) is noted in the log.
class TermiosPortFactory : public SerialPortFactory {
public:
    // `log` must outlive the factory.
    TermiosPortFactory(std::filesystem::path homeFolder, CommoLog& log);

    // Fails with ENOENT when no device stands for `portIndex`, else with the errno of the open.
    PortOpenResult open(int portIndex, const platform::LineSettings& line) override;

private:
    std::filesystem::path m_homeFolder;
    CommoLog& m_log;
};

} // namespace qmx::ecu
