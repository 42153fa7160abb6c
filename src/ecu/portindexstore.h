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
    // Writes Rs232cPort; false when the store could not be written (the index still serves
    // this run).
    [[nodiscard]] virtual bool setRegistryPort(int index) = 0;
    // The PORT index of qmx.INI; -1 when it names no port.
    virtual int profilePort() const = 0;
    // Writes key PORT of section RS232C as `text` ("PORT10"); profilePort() then gives its index.
    // False when the file could not be written (the index still serves this run).
    [[nodiscard]] virtual bool writeProfilePort(std::string_view text) = 0;
    // The open configuration's CommPort, which serves while neither store names a port; -1
    // when none.
    virtual int configurationPort() const = 0;
    // Writes Rs232cPortAutoSelect as 0 or 1; false when the store could not be written.
    [[nodiscard]] virtual bool setAutoSelect(bool on) = 0;
};

// The port to use: Rs232cPort when it holds a port, else the qmx.INI index, else the
// configuration's CommPort (either then copied into Rs232cPort); -1 when none names one.
int currentPortIndex(PortIndexStore& store);
// Stores port `index` into qmx.INI ("PORT" + number, "PORT1" when outside 0..255) and into
// Rs232cPort, each only when the index that store holds differs. False when a store could not
// be written.
[[nodiscard]] bool setPortIndex(PortIndexStore& store, int index);

} // namespace qmx::ecu
