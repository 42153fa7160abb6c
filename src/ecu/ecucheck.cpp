#include "ecu/ecucheck.h"

#include "ecu/link.h"
#include "text/messages.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

namespace qmx::ecu {

namespace {

constexpr std::uint8_t kEcuTypeQuery = 0xBF;
constexpr std::uint8_t kMachineQuery = 0xBE;
constexpr std::size_t kMaxAnswer = 5;
constexpr const char* kDefaultMachineCode = "7E";

struct Answer {
    std::array<std::uint8_t, kMaxAnswer> bytes{};
    std::size_t count = 0;

    bool received() const { return count >= 2; }
    bool contains(std::uint8_t first, std::uint8_t second) const {
        for (std::size_t i = 0; i + 1 < count; ++i) {
            if (bytes[i] == first && bytes[i + 1] == second)
                return true;
        }
        return false;
    }
};

std::string attemptLabel(int attempt, int attempts) {
    char label[64];
    std::snprintf(label, sizeof label, "EcuCheckCommand [% 3d/% 3d]", attempt, attempts);
    return label;
}

// Sends `query` and collects the answer: up to five bytes, ended by the first empty read. An
// answer of fewer than 2 bytes counts as none.
Answer runQuery(Link& link, std::uint8_t query, bool withRetries) {
    const bool wasOpen = link.portOpen();
    // A port that does not open gives no answer; its open has logged why.
    if (!wasOpen && link.openDevice(false, link.choice().currentPortIndex(), link.timeoutSetting()))
        return Answer{};
    link.restartCountdown();

    Answer answer;
    {
        CommLockHold hold(link.arbiter());
        const int attempts = withRetries ? std::max(0, link.settings().retry) + 1 : 1;
        const int pauseMs = withRetries ? link.settings().waitTime : 0;
        for (int attempt = 1; attempt <= attempts; ++attempt) {
            int moved = 0;
            if (link.writeLogged(query, moved, attemptLabel(attempt, attempts))) {
                while (answer.count < kMaxAnswer) {
                    std::uint8_t& slot = answer.bytes[answer.count];
                    if (!link.readLogged(slot, moved, "EcuCheckCommand1") || moved == 0)
                        break;
                    ++answer.count;
                }
            }
            if (answer.received())
                break;
            answer = Answer{};
            // A device that hung up has been closed: no attempt can reach the ECU any more.
            if (!link.portOpen())
                break;
            link.countdown().pause(pauseMs);
        }
    }
    if (!wasOpen)
        link.closePort();
    return answer;
}

int machineCheck(Link& link, bool withRetries) {
    EcuIdentity& identity = link.identity();
    if (identity.machineCode().empty()) {
        identity.setMachineCode(kDefaultMachineCode);
        return text::msg::Success;
    }
    const std::string& code = identity.machineCode();
    const auto first = static_cast<std::uint8_t>(code[0]);
    const auto second = static_cast<std::uint8_t>(code.size() > 1 ? code[1] : '\0');

    const Answer answer = runQuery(link, kMachineQuery, withRetries);
    if (answer.received() && answer.contains(first, second))
        return text::msg::Success;
    identity.recordCheck(false);
    if (answer.received())
        return text::msg::EcuTypeDifferentBang;
    link.clearLineErrors();
    return text::msg::NoResponseFromEcu;
}

} // namespace

text::Status EcuCheckCommand(Link& link, bool withRetries) {
    const std::array<std::uint8_t, 2>& ecuCode = link.settings().ecuCode;
    if (ecuCode[0] == 0) {
        link.identity().recordCheck(true);
        return text::msg::Success;
    }

    const Answer answer = runQuery(link, kEcuTypeQuery, withRetries);
    if (!answer.received()) {
        link.clearLineErrors();
        return text::msg::NoResponseFromEcu;
    }
    if (!answer.contains(ecuCode[0], ecuCode[1]))
        return text::msg::EcuTypeDifferent;
    link.identity().recordCheck(true);
    return machineCheck(link, withRetries);
}

text::Status identifyAtOpen(Link& link) {
    const int checks = std::max(0, link.settings().ecRetry) + 1;
    text::Status result;
    for (int check = 0; check < checks; ++check) {
        result = EcuCheckCommand(link, true);
        if (result != text::msg::EcuTypeDifferent)
            break;
    }
    link.identity().forgetCheck();
    return result;
}

} // namespace qmx::ecu
