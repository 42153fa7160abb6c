#pragma once

#include "ecu/adapterlatency.h"
#include "ecu/serialportfactory.h"

#include <filesystem>

namespace qmx::ecu {

class CommoLog;

// Opens ports as termios devices: index n is the link ports/COMn+1 of the QMX home folder when
// present, else the ttyS/ttyUSB/ttyACM device of that COM number. What the device could not set
// as asked (1.5 stop bits run as 2, no CTS flow, fixed framing) and what became of its latency
// (AdapterLatency) is noted in the log; a refused permission or a port held by another program
// is explained in the result's problem text.
class TermiosPortFactory : public SerialPortFactory {
public:
    // USB adapters are looked up under `sysfsTtyRoot`; `log` must outlive the factory.
    TermiosPortFactory(std::filesystem::path homeFolder, std::filesystem::path sysfsTtyRoot,
                       CommoLog& log);

    // Fails with ENOENT when no device stands for `portIndex`, else with the errno of the open.
    PortOpenResult open(int portIndex, const platform::LineSettings& line) override;

    // Where a slow USB adapter is said (once per adapter and run); none: only the log says it.
    void setNoticeSink(text::MessageSink* sink) { m_latency.setNoticeSink(sink); }

private:
    std::filesystem::path m_homeFolder;
    CommoLog& m_log;
    AdapterLatency m_latency;
};

} // namespace qmx::ecu
