#pragma once

#include <string_view>

namespace qmx::ecu {

// Where the selected port and the auto-select switch are kept: the registry file's Rs232cPort
// and Rs232cPortAutoSelect, and the PORT key of qmx.INI. qmxctl may wrap it to override the
// port for one run without writing.
class PortIndexStore {
public:
    virtual ~PortIndexStore() = default;
    // Rs232cPort; -1 when it holds no port.
    virtual int registryPort() const = 0;
    virtual void setRegistryPort(int index) = 0;
    // The PORT index of qmx.INI; -1 when it names no port.
    virtual int profilePort() const = 0;
    // Writes key PORT of section RS232C as `text` ("PORT10"); profilePort() then gives its index.
    virtual void writeProfilePort(std::string_view text) = 0;
    // The open configuration's CommPort, which serves while neither store names a port; -1
    // when none.
    virtual int configurationPort() const = 0;
    // Writes Rs232cPortAutoSelect as 0 or 1.
    virtual void setAutoSelect(bool on) = 0;
};

} // namespace qmx::ecu
