#include "ecu/appportindexstore.h"

#include "app/appsettings.h"
#include "app/linesettingtext.h"
#include "platform/profile.h"

namespace qmx::ecu {

AppPortIndexStore::AppPortIndexStore(app::AppSettings& settings) : m_settings(settings) {
}

int AppPortIndexStore::registryPort() const {
    return m_override ? *m_override : m_settings.registryValues.rs232cPort;
}

void AppPortIndexStore::setRegistryPort(int index) {
    if (m_override) {
        m_override = index;
        return;
    }
    m_settings.registryValues.rs232cPort = index;
    m_settings.registry.setDword("Rs232cPort", static_cast<std::uint32_t>(index));
}

int AppPortIndexStore::profilePort() const {
    return m_override ? *m_override : m_settings.startup.line.port;
}

void AppPortIndexStore::writeProfilePort(std::string_view text) {
    const int index = app::portIndexFromName(text);
    if (m_override) {
        m_override = index;
        return;
    }
    platform::Profile(m_settings.programSettingsPath).writeString("RS232C", "PORT", text);
    m_settings.startup.line.port = index;
}

int AppPortIndexStore::configurationPort() const {
    return m_override ? *m_override : m_configurationPort;
}

void AppPortIndexStore::setAutoSelect(bool on) {
    if (!m_override)
        app::setAutoSelect(m_settings, on);
}

} // namespace qmx::ecu
