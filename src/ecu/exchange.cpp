#include "ecu/exchange.h"

#include "ecu/link.h"
#include "ecu/progresswindow.h"

#include <algorithm>
#include <chrono>

namespace qmx::ecu {

namespace {

// Reads single bytes until one read brings nothing or fails; gives the event loop its turns
// meanwhile. Returns false when the line kept talking: `limit` bytes came, or the countdown's
// span (TIMEOUT ticks of 100 ms) passed, without a pause.
bool readUntilSilent(Link& link, std::string_view label, std::size_t limit) {
    constexpr auto kTick = std::chrono::milliseconds(100);
    const auto deadline = std::chrono::steady_clock::now() + link.timeoutSetting() * kTick;
    std::uint8_t byte = 0;
    int moved = 0;
    for (std::size_t count = 0; count < limit; ++count) {
        if (!link.readLogged(byte, moved, label) || moved == 0)
            return true;
        link.countdown().pumpWhenDue();
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
    }
    return false;
}

// A record header ("S1", count, four address digits) has just been completed.
bool headerCompleted(const std::string& received) {
    return received.size() >= 8 && received[received.size() - 8] == 'S';
}

void showReceiveProgress(Link& link, const std::string& address, int& records,
                         ProgressWindow& progress) {
    const int expected = link.settings().readEcuNum;
    if (expected <= 0) {
        progress.setStatus(waitText(address));
        return;
    }
    ++records;
    const long long percent = std::min(100LL, records * 100LL / expected);
    progress.setStatus(waitText(std::to_string(percent) + "%"));
}

bool endRecordCompleted(const std::string& received) {
    return !received.empty() && received.back() == 'C' && received.find("S9") != std::string::npos;
}

} // namespace

bool OutComm(Link& link, std::uint8_t byte, int waitMs) {
    constexpr std::string_view kLabel = "OutComm";
    int moved = 0;
    // A byte that never left has no echo to wait for.
    if (!link.writeLogged(byte, moved, kLabel)) {
        link.clearLineErrors();
        return false;
    }
    link.countdown().pause(waitMs);
    link.restartCountdown();

    std::uint8_t echo = byte;
    for (;;) {
        if (link.countdown().left() == 0) {
            link.clearLineErrors();
            return false;
        }
        if (!link.readLogged(echo, moved, kLabel)) {
            link.clearLineErrors();
            return false;
        }
        if (moved == 1) {
            if (echo != byte)
                return false;
            link.countdown().pumpWhenDue();
            return true;
        }
        link.countdown().pumpOne();
    }
}

bool outCommQuick(Link& link, std::uint8_t byte) {
    constexpr std::string_view kLabel = "OutComm";
    constexpr unsigned kQuickTicks = 50;
    int moved = 0;
    if (!link.writeLogged(byte, moved, kLabel)) {
        link.clearLineErrors();
        return false;
    }
    link.countdown().set(kQuickTicks);
    std::uint8_t echo = byte;
    if (!link.readLogged(echo, moved, kLabel) || moved == 0) {
        link.clearLineErrors();
        return false;
    }
    return echo == byte;
}

bool InCommAt(Link& link, std::uint8_t& byte) {
    link.restartCountdown();
    int moved = 0;
    for (;;) {
        if (!link.readLogged(byte, moved, "InCommAt")) {
            link.clearLineErrors();
            return false;
        }
        if (moved == 1)
            return true;
        link.countdown().pumpOne();
        if (link.countdown().left() == 0)
            return false;
    }
}

bool InComm(Link& link, std::string& received, std::string& address, ProgressWindow& progress,
            int waitMs) {
    constexpr std::string_view kLabel = "InComm";
    link.restartCountdown();
    int records = 0;
    std::uint8_t byte = 0;
    int moved = 0;
    for (;;) {
        const bool ok = link.readLogged(byte, moved, kLabel);
        if (moved == 1) {
            if (received.size() >= kReceivedTextLimit)
                return false;
            // The ECU waits for the echo of every character: one that cannot go out ends the read.
            int echoed = 0;
            if (!link.writeLogged(byte, echoed, kLabel)) {
                link.clearLineErrors();
                return false;
            }
            received.push_back(static_cast<char>(byte));
            link.countdown().pause(waitMs);
            link.restartCountdown();
            if (headerCompleted(received)) {
                address = received.substr(received.size() - 4);
                showReceiveProgress(link, address, records, progress);
            }
            link.countdown().pumpWhenDue();
            continue;
        }
        if (!ok) {
            link.clearLineErrors();
            return false;
        }
        if (link.countdown().left() == 0)
            return false;
        if (endRecordCompleted(received))
            return true;
        link.countdown().pumpOne();
    }
}

bool drainPort(Link& link, std::string_view label) {
    if (!link.portOpen())
        return true;
    return readUntilSilent(link, label, kDrainLimit);
}

bool flushPort(Link& link, std::string_view label) {
    const bool silent = readUntilSilent(link, label, kReceivedTextLimit);
    link.clearLineErrors();
    return silent;
}

} // namespace qmx::ecu
