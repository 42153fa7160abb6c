#include "ecu/linksettings.h"

namespace qmx::ecu {

CommandTable CommandTable::standard() {
    CommandTable table;
    for (char letter : {'J', 'j', 'L', 'M', 'm', 'N', 'S', 's', 'W', 'R', 'V'})
        table.set(letter, static_cast<std::uint8_t>(letter));
    return table;
}

void CommandTable::set(char letter, std::uint8_t byte) {
    const auto index = static_cast<unsigned char>(letter);
    if (index < m_bytes.size())
        m_bytes[index] = byte;
}

std::uint8_t CommandTable::byte(char letter) const {
    const auto index = static_cast<unsigned char>(letter);
    return index < m_bytes.size() ? m_bytes[index] : 0;
}

std::optional<platform::LineSettings> lineSettingsFor(const LinkSettings& settings) {
    static constexpr std::array kBaudRates{600, 1200, 2400, 4800, 9600, 19200};
    const auto inRange = [](int value, int last) { return value >= 0 && value <= last; };
    if (!inRange(settings.speedIndex, 5) || !inRange(settings.dataIndex, 1) ||
        !inRange(settings.parityIndex, 2) || !inRange(settings.stopIndex, 2))
        return std::nullopt;

    platform::LineSettings line;
    line.baudRate = kBaudRates[static_cast<std::size_t>(settings.speedIndex)];
    line.dataBits = settings.dataIndex == 0 ? 7 : 8;
    line.parity = static_cast<platform::Parity>(settings.parityIndex);
    line.stopBits = static_cast<platform::StopBits>(settings.stopIndex);
    line.xonXoff = settings.flowIndex == 0;
    line.ctsOutputFlow = true;
    return line;
}

} // namespace qmx::ecu
