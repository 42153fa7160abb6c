#pragma once

#include "platform/serialdevice.h"

#include <array>
#include <cstdint>
#include <optional>

// The communication settings the serial link and the protocol read. The application fills them
// from the registry file, qmx.INI and the open configuration's RS232C section.
namespace qmx::ecu {

// Maps a command letter to the byte sent for it; a letter that is not in the table sends 0.
class CommandTable {
public:
    // The standard table: J, j, L, M, m, N, S, s, W, R and V each send their own letter.
    static CommandTable standard();
    // Makes `letter` (7-bit) send `byte`; other letters are ignored.
    void set(char letter, std::uint8_t byte);
    // The byte for `letter`, 0 when the letter is not in the table.
    std::uint8_t byte(char letter) const;

private:
    std::array<std::uint8_t, 128> m_bytes{};
};

struct LinkSettings {
    // Line setting indexes, as section RS232C stores them.
    int speedIndex = 3;  // 0..5 = 600, 1200, 2400, 4800, 9600, 19200 baud
    int dataIndex = 1;   // 0 = 7 bits, 1 = 8 bits
    int parityIndex = 0; // 0 = none, 1 = odd, 2 = even
    int stopIndex = 0;   // 0 = 1, 1 = 1.5, 2 = 2 stop bits
    int flowIndex = 0;   // 0 = XON/XOFF on (XFLLOW "YES"), anything else off

    int timeout = 50;   // TIMEOUT: per-byte time-out in ms, and the wait countdown in 100 ms ticks
    int waitTime = 100; // WAITTIME: pause in ms after an ECU check attempt without answer
    int retry = 9;      // RETRY: extra attempts of each ECU check query when retries are asked for
    int ecRetry = 4;    // ECRETRY: repeats of the check at port open while the ECU type differs

    int commandRetryCount = 1;        // CommandRetrycount (qmx.INI over registry); negative allowed
    int readEcuNum = 30;              // ReadEcuNum: records a full read brings, for the percentage
    int echoBackWaitTimeReadEcu = 0;  // EchoBackWaitTime_ReadECU, ms
    int echoBackWaitTime = 0;         // EchoBackWaitTime, ms
    int echoBackReadWaitTime = 0;     // EchoBackReadWaitTime, ms
    int scanSelectedPortTimeout = 20; // ScanSelectedPortTimeout, ms per byte
    int sequentialScanPortTimeout = 20; // SequentialScanPortTimeout, ms per byte

    // EcuCheckResult: the two bytes the ECU-type answer must contain. The application puts "KD"
    // here when the value is absent and two zero bytes when it is a text; a first byte of 0
    // switches the ECU check off.
    std::array<std::uint8_t, 2> ecuCode{'K', 'D'};
    bool autoSelect = true; // Rs232cPortAutoSelect
    CommandTable commands = CommandTable::standard();
};

// The device line settings for the indexes of `settings`; empty when the speed, data, parity or
// stop index is out of its range.
std::optional<platform::LineSettings> lineSettingsFor(const LinkSettings& settings);

} // namespace qmx::ecu
