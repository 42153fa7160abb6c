#include "ecu/singlewrite.h"

#include "ecu/exchange.h"
#include "ecu/link.h"
#include "ecu/portuse.h"
#include "ecu/progresswindow.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <cstdio>
#include <vector>

namespace qmx::ecu {

namespace {

std::uint8_t high(std::uint16_t value) {
    return static_cast<std::uint8_t>(value >> 8);
}
std::uint8_t low(std::uint16_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

// The shared exchange of both single-value writes; `bytes` follow the command byte.
text::Status writeValue(Link& link, ProgressWindow& progress, text::MessageSink& sink,
                        std::string_view title, char command,
                        const std::vector<std::uint8_t>& bytes) {
    text::Status ready;
    bool sent = false;
    {
        ProgressScope window(progress, title);
        TransferScope transfer(link.arbiter());
        ForegroundHold foreground(link.arbiter(), link.countdown());
        PortUse port(link);
        ready = port.openAndIdentify(true);
        if (ready.ok()) {
            CommLockHold hold(link.arbiter());
            // Stale bytes that keep coming would be taken for echoes.
            if (!flushPort(link, "Dummy Read"))
                ready = text::msg::DataRemainsInPort;
            sent = ready.ok() && outCommQuick(link, link.settings().commands.byte(command));
            for (std::size_t i = 0; sent && i < bytes.size(); ++i)
                sent = outCommQuick(link, bytes[i]);
        }
    }

    const std::string_view caption = text::messageText(text::msg::ProgramTitle);
    if (!ready.ok()) {
        sink.show(link.failureText(ready), caption, text::Icon::Exclamation);
        return ready;
    }
    if (!sent) {
        sink.show(text::messageText(text::msg::NoResponseFromEcu), caption, text::Icon::None);
        return text::msg::NoResponseFromEcu;
    }
    return text::msg::Success;
}

} // namespace

text::Status writeEcuByte(Link& link, ProgressWindow& progress, text::MessageSink& sink,
                          std::uint16_t address, std::uint8_t value) {
    char title[32];
    std::snprintf(title, sizeof title, "( %04X ) = %02X", static_cast<unsigned>(address),
                  static_cast<unsigned>(value));
    return writeValue(link, progress, sink, title, 'S', {high(address), low(address), value});
}

text::Status writeEcuWord(Link& link, ProgressWindow& progress, text::MessageSink& sink,
                          std::uint16_t address, std::uint16_t value) {
    char title[32];
    std::snprintf(title, sizeof title, "( %04X ) = %04X", static_cast<unsigned>(address),
                  static_cast<unsigned>(value));
    return writeValue(link, progress, sink, title, 's',
                      {high(address), low(address), high(value), low(value)});
}

} // namespace qmx::ecu
