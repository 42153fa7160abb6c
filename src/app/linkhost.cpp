#include "app/linkhost.h"

#include "app/appsettings.h"
#include "text/messages.h"

namespace qmx::app {

ecu::LinkSettings linkSettingsFrom(const AppSettings& settings, const LineIndexes& line,
                                   int commandRetryCount) {
    const CEctSettings& registry = settings.registryValues;
    const StartupSettings& startup = settings.startup;
    ecu::LinkSettings link;
    link.speedIndex = line.baud;
    link.dataIndex = line.data;
    link.parityIndex = line.parity;
    link.stopIndex = line.stop;
    link.flowIndex = line.flow;
    link.timeout = startup.timeout;
    link.waitTime = startup.waitTime;
    link.retry = startup.retry;
    link.ecRetry = startup.ecRetry;
    link.commandRetryCount = commandRetryCount;
    link.readEcuNum = registry.readEcuNum;
    link.echoBackWaitTimeReadEcu = registry.echoBackWaitTimeReadEcu;
    link.echoBackWaitTime = registry.echoBackWaitTime;
    link.echoBackReadWaitTime = registry.echoBackReadWaitTime;
    link.scanSelectedPortTimeout = registry.scanSelectedPortTimeout;
    link.sequentialScanPortTimeout = registry.sequentialScanPortTimeout;
    link.ecuCode = registry.ecuCheckResult;
    link.autoSelect = registry.rs232cPortAutoSelect;
    for (const char letter : {'J', 'j', 'L', 'M', 'm', 'N', 'S', 's', 'W', 'R', 'V'})
        link.commands.set(letter, settings.commandLetters.byteFor(letter));
    return link;
}

LinkHost::LinkHost(AppSettings& settings, ecu::EventPump& pump, LinkHostPlaces places)
    : m_settings(settings), m_ports(places.homeFolder, places.sysfsTtyRoot, m_log),
      m_lister(places.homeFolder, places.sysfsTtyRoot), m_store(settings),
      m_link(linkSettingsFrom(settings, settings.startup.line, settings.startup.commandRetryCount),
             ecu::LinkServices{m_ports, m_lister, m_store, pump, m_log}) {
}

text::Status LinkHost::openLog(std::string_view versionText, text::MessageSink& sink) {
    const CEctSettings& registry = m_settings.registryValues;
    if (registry.commoLog.empty())
        return text::msg::Success;
    return m_log.open(registry.commoLog, registry.commoLogDelete, versionText, sink);
}

void LinkHost::setNoticeSink(text::MessageSink& sink) {
    m_ports.setNoticeSink(&sink);
}

void LinkHost::applyConfiguration(const LineIndexes& line, int commandRetryCount,
                                  std::string_view machineCode) {
    m_link.setSettings(linkSettingsFrom(m_settings, line, commandRetryCount));
    m_store.setConfigurationPort(line.port);
    // A configuration without a machine code keeps the code of the run ("7E" once a check
    // has stood in for a missing one).
    if (!machineCode.empty())
        m_link.identity().setMachineCode(machineCode);
}

void LinkHost::overridePort(int portIndex) {
    m_store.overridePort(portIndex);
    m_link.choice().setSearchDone(true);
}

} // namespace qmx::app
