#include "app/comportchoice.h"

#include "app/configuration.h"
#include "app/linkhost.h"
#include "ecu/link.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <algorithm>
#include <cstdio>

namespace qmx::app {

namespace {

// A radio of `count` for index `index`; -1 when the index has none.
int radioOf(int index, int count) {
    return index >= 0 && index < count ? index : -1;
}

void show(text::MessageSink& sink, const std::string& message, text::Icon icon) {
    sink.show(message, text::messageText(text::msg::ComPortCaption), icon);
}

} // namespace

ComPortValues currentComPortValues(const Configuration& configuration, ecu::Link& link) {
    ComPortValues values{configuration.line, link.settings().autoSelect};
    values.line.port = link.choice().currentPortIndex();
    return values;
}

text::Status storeComPortValues(const ComPortValues& values, Configuration& configuration,
                                LinkHost& host) {
    configuration.line = values.line;
    host.applyConfiguration(configuration.line, configuration.commandRetryCount,
                            configuration.machineCode);
    ecu::Link& link = host.link();
    const bool portStored = link.choice().setPortIndex(values.line.port);
    const bool switchStored = link.setAutoSelect(values.autoSelect);
    return portStored && switchStored ? text::msg::Success : text::msg::FailedToWriteFile;
}

HiddenLineControls HiddenLineControls::from(const LineIndexes& line) {
    HiddenLineControls controls;
    controls.speedRadio = radioOf(line.baud, 6);
    controls.eightBits = line.data != 0;
    controls.parityRadio = radioOf(line.parity, 3);
    controls.stopRadio = radioOf(line.stop, 3);
    controls.xFlow = line.flow == 0;
    controls.comRadio = line.port >= 1 && line.port <= 7 ? line.port : 0;
    return controls;
}

std::optional<LineIndexes> HiddenLineControls::readBack(LineIndexes line) const {
    if (speedRadio < 0 || parityRadio < 0 || stopRadio < 0)
        return std::nullopt;
    line.baud = speedRadio;
    line.data = eightBits ? 1 : 0;
    line.parity = parityRadio;
    line.stop = stopRadio;
    line.flow = xFlow ? 0 : 1;
    return line;
}

ComPortChoice::ComPortChoice(ComPortValues values, std::vector<ecu::PortEntry> ports)
    : m_values(values), m_hidden(HiddenLineControls::from(values.line)), m_ports(std::move(ports)) {
    selectEntry(values.line.port);
}

std::string ComPortChoice::entryText(int entry) const {
    char number[16];
    std::snprintf(number, sizeof number, "COM%-4d", entry + 1);
    std::string text = number;
    const auto port = std::find_if(m_ports.begin(), m_ports.end(),
                                   [entry](const ecu::PortEntry& p) { return p.index == entry; });
    if (port == m_ports.end())
        return text;
    // Beside the name: what tells two adapters of one kind apart, and a port this user may not
    // open, so that the technician knows before OK fails.
    text += port->displayName;
    const platform::PortDetails& details = port->details;
    if (details.usb && !details.usb->serial.empty())
        text += text::messageText(text::msg::PortSerialNumber, details.usb->serial);
    if (!details.mayOpen)
        text += text::messageText(text::msg::PortNoAccessMark);
    return text;
}

void ComPortChoice::selectEntry(int entry) {
    m_selected = entry >= 0 && entry < kEntries ? entry : 0;
}

void ComPortChoice::setAutoSelect(bool on, std::vector<ecu::PortEntry> ports) {
    m_values.autoSelect = on;
    m_ports = std::move(ports);
}

ComPortChoice::Outcome ComPortChoice::accept(ecu::Link& link, text::MessageSink& sink) {
    const std::optional<LineIndexes> line = m_hidden.readBack(m_values.line);
    if (!line) {
        show(sink, std::string(text::messageText(text::msg::AllParametersNotDefined)),
             text::Icon::Exclamation);
        return Outcome::StayOpen;
    }
    m_values.line = *line;
    if (!m_values.autoSelect) {
        m_values.line.port = m_selected;
        return Outcome::Accepted;
    }
    int found = -1;
    bool selected = false;
    {
        // The search opens ports and waits for answers: no other command may start meanwhile.
        ecu::TransferScope transfer(link.arbiter());
        selected = ecu::searchPort(link, &found);
    }
    m_ports = ecu::listPorts(link);
    if (found >= 0)
        selectEntry(found);
    if (!selected) {
        show(sink, std::string(text::messageText(text::msg::AutoSelectFailed)),
             text::Icon::Exclamation);
        return Outcome::StayOpen;
    }
    m_values.line.port = found;
    show(sink, ecu::portSelectedText(found, m_ports), text::Icon::Information);
    return Outcome::Accepted;
}

} // namespace qmx::app
