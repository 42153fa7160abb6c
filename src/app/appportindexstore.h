#pragma once

#include "ecu/portindexstore.h"

#include <optional>

namespace qmx::app {

struct AppSettings;

// The port stores of the application settings: Rs232cPort and Rs232cPortAutoSelect of the
// registry file, PORT of qmx.INI. Writes change the settings in memory and in their files.
// With a port override (qmxctl --port) the run uses that port and writes nothing.
class AppPortIndexStore : public ecu::PortIndexStore {
public:
    // `settings` must outlive the store.
    explicit AppPortIndexStore(AppSettings& settings);

    // The open configuration's CommPort; -1 for none.
    void setConfigurationPort(int index) { m_configurationPort = index; }
    // From now on both stores read as `index` and every write only moves that index.
    void overridePort(int index) { m_override = index; }

    int registryPort() const override;
    // Writes Rs232cPort; a registry file that cannot be written keeps the index for this run.
    bool setRegistryPort(int index) override;
    int profilePort() const override;
    // Writes PORT of section RS232C; a file that cannot be written keeps the index for this run.
    bool writeProfilePort(std::string_view text) override;
    int configurationPort() const override;
    // Writes Rs232cPortAutoSelect when it changes.
    bool setAutoSelect(bool on) override;

private:
    AppSettings& m_settings;
    int m_configurationPort = -1;
    std::optional<int> m_override;
};

} // namespace qmx::app
