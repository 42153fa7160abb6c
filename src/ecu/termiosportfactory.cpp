#include "ecu/termiosportfactory.h"

#include "ecu/commolog.h"
#include "ecu/portproblem.h"
#include "platform/comports.h"
#include "platform/termiosserialdevice.h"

#include <cerrno>

namespace qmx::ecu {

TermiosPortFactory::TermiosPortFactory(std::filesystem::path homeFolder,
                                       std::filesystem::path sysfsTtyRoot, CommoLog& log)
    : m_homeFolder(std::move(homeFolder)), m_log(log), m_latency(std::move(sysfsTtyRoot), log) {
}

PortOpenResult TermiosPortFactory::open(int portIndex, const platform::LineSettings& line) {
    const auto path = platform::serialDevicePath(m_homeFolder, portIndex);
    if (!path)
        return {nullptr, ENOENT, {}};
    auto device = std::make_unique<platform::TermiosSerialDevice>();
    if (const int error = device->open(path->string(), line); error != 0)
        return {nullptr, error, openProblemText(*path, error)};

    const platform::OpenNotes& notes = device->notes();
    const std::string head = "** " + platform::comName(portIndex) + ": ";
    if (notes.stopBitsRounded)
        m_log.eventLine(0, 0, 0, 0, head + "1.5 stop bits run as 2 on this system");
    if (notes.ctsFlowUnavailable)
        m_log.eventLine(0, 0, 0, 0, head + "CTS output flow is not available on this device");
    if (notes.framingUnavailable)
        m_log.eventLine(0, 0, 0, 0, head + "the device keeps its own data bits and parity");
    m_latency.tune(head, *path, notes);
    return {std::move(device), 0, {}};
}

} // namespace qmx::ecu
