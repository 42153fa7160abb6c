#include "app/appportindexstore.h"

#include "app/appsettings.h"
#include "platform/comports.h"
#include "platform/profile.h"

namespace qmx::app {

AppPortIndexStore::AppPortIndexStore(AppSettings& settings) : m_settings(settings) {
}

int AppPortIndexStore::registryPort() const {
    return m_override ? *m_override : m_settings.registryValues.rs232cPort;
}

bool AppPortIndexStore::setRegistryPort(int index) {
    if (m_override) {
        m_override = index;
        return true;
    }
    m_settings.registryValues.rs232cPort = index;
    return m_settings.registry.setDword("Rs232cPort", static_cast<std::uint32_t>(index)) == 0;
}

int AppPortIndexStore::profilePort() const {
    return m_override ? *m_override : m_settings.startup.line.port;
}

bool AppPortIndexStore::writeProfilePort(std::string_view text) {
    const int index = platform::portIndexFromName(text);
    if (m_override) {
        m_override = index;
        return true;
    }
    m_settings.startup.line.port = index;
    return platform::Profile(m_settings.programSettingsPath).writeString("RS232C", "PORT", text);
}

int AppPortIndexStore::configurationPort() const {
    return m_override ? *m_override : m_configurationPort;
}

bool AppPortIndexStore::setAutoSelect(bool on) {
    if (m_override || on == m_settings.registryValues.rs232cPortAutoSelect)
        return true;
    m_settings.registryValues.rs232cPortAutoSelect = on;
    return m_settings.registry.setDword("Rs232cPortAutoSelect", on ? 1 : 0) == 0;
}

} // namespace qmx::app
