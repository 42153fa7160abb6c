#pragma once

#include "config/ecuimage.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

// The ECU side of the serial protocol as a plain state machine: bytes from the line go in with
// the time they arrived, bytes for the line come out when they are due. No file descriptors, no
// sleeping; the caller owns the clock.
namespace qmx::sim {

using Clock = std::chrono::steady_clock;
using TimePoint = Clock::time_point;
using Milliseconds = std::chrono::milliseconds;

// One live value the ECU reports when asked with its request byte.
struct MonitorItem {
    std::uint8_t request = 0;
    int length = 1;         // answer bytes, 1 or 2 (high byte first)
    std::int64_t start = 0; // value when the device starts
    std::int64_t step = 0;  // added once per period; the value wraps within its bytes
    Milliseconds period{1000};
};

// Deliberate misbehaviour, so that tests can reach every failure path of the program.
struct Faults {
    std::set<std::uint64_t> wrongEchoes;       // numbers (from 1) of the echoes sent complemented
    std::set<std::uint64_t> droppedEchoes;     // numbers (from 1) of the echoes never sent
    std::optional<std::uint64_t> silenceAfter; // bytes sent before the device falls silent
    int badChecksumRecord = 0;       // record (from 1) of a memory read sent with a wrong checksum
    int badChecksumReads = 0;        // how many reads carry it; 0 = every read
    bool wrongEcuId = false;         // the ECU-type answer carries other bytes
    bool wrongMachineId = false;     // the machine answer carries other bytes
    std::vector<std::uint8_t> noise; // sent before an answer (query, monitor, write result)
    int noiseAnswers = 0;            // how many answers get it; 0 = every answer
    Milliseconds answerDelay{0};     // extra time before each answer
    Milliseconds echoDelay{0};       // extra time before each echo
};

struct EngineOptions {
    std::string ecuAnswer = "KD";     // answer to the ECU-type query 0xBF, 1 to 5 bytes
    std::string machineAnswer = "7E"; // answer to the machine query 0xBE, 1 to 5 bytes
    std::uint8_t writeResult = '0';   // result byte after a write that was stored
    std::uint8_t rejectResult = '1';  // result byte after a write that was refused
    std::vector<MonitorItem> monitorItems;
    int baudRate = 0; // emulate the line: each character costs 10 bit times each way; 0 = free
    Milliseconds echoTimeout{1000};    // memory read: wait for the program's echo of a character
    Milliseconds commandTimeout{2000}; // silence that abandons a half-received command
    Faults faults;
};

// Command bytes and query bytes the device answers.
namespace cmd {
constexpr std::uint8_t Memory = 'L';
constexpr std::uint8_t Read = 'R';
constexpr std::uint8_t Write = 'W';
constexpr std::uint8_t ByteWrite = 'S';
constexpr std::uint8_t WordWrite = 's';
constexpr std::uint8_t EcuTypeQuery = 0xBF;
constexpr std::uint8_t MachineQuery = 0xBE;
} // namespace cmd

class EcuEngine {
public:
    // `memory` is the ECU's memory; its range low() .. high() is the data area that memory
    // reads send and memory writes may change. It must outlive the engine.
    EcuEngine(config::EcuImage& memory, EngineOptions options, TimePoint start);

    // A byte arrived from the line at `now` (never earlier than the previous call's time).
    void receive(std::uint8_t byte, TimePoint now);
    // Handles everything due by `now` and appends the bytes that leave the device by then.
    void poll(TimePoint now, std::vector<std::uint8_t>& out);
    // The next moment poll() has work; nothing while the device only waits for input.
    std::optional<TimePoint> nextDue() const;

    // Receives one line per notable event (a stored write, an abandoned exchange).
    void setTrace(std::function<void(const std::string&)> trace) { m_trace = std::move(trace); }

private:
    enum class State { Idle, AfterMemoryCommand, SingleWrite, Streaming, Records };
    struct Timed {
        std::uint8_t byte;
        TimePoint due;
    };

    void handle(std::uint8_t byte, TimePoint now);
    void handleIdle(std::uint8_t byte, TimePoint now);
    void handleSingleWrite(std::uint8_t byte, TimePoint now);
    void handleStreamEcho(std::uint8_t byte, TimePoint now);
    void handleRecordCharacter(std::uint8_t byte, TimePoint now);
    void finishRecord(TimePoint now);

    void startStream(TimePoint now);
    void sendStreamCharacter(TimePoint now);
    void enter(State state, TimePoint now);
    void abandon(const std::string& why);

    // Queues a byte after those already queued, at the earliest `delay` after `now`; returns
    // when it leaves the device (also when silence swallows it).
    TimePoint send(std::uint8_t byte, TimePoint now, Milliseconds delay);
    void echo(std::uint8_t byte, TimePoint now);
    void answer(const std::vector<std::uint8_t>& bytes, TimePoint now);
    std::vector<std::uint8_t> monitorValue(const MonitorItem& item, TimePoint now) const;
    void note(const std::string& text) const;

    config::EcuImage& m_memory;
    EngineOptions m_options;
    TimePoint m_start;
    Clock::duration m_characterTime{0};

    State m_state = State::Idle;
    std::deque<Timed> m_inbound;
    std::deque<Timed> m_outbound;
    TimePoint m_inboundFree{};  // when the line from the program is free for the next character
    TimePoint m_outboundFree{}; // when the line to the program is free for the next character
    // How late the last character reached the program compared with its emulated arrival
    // (the wake-up delay of the loop that serves the device). The program's answer to it is
    // taken as sent that much earlier, so the simulator's own delays do not add up into the
    // emulated line time.
    Clock::duration m_deliveryLateness{0};
    std::optional<TimePoint> m_deadline; // echo wait or half-received command

    std::vector<std::uint8_t> m_arguments; // single-value write: bytes after the command
    std::size_t m_argumentsNeeded = 0;
    std::string m_stream; // memory read: the whole text; m_streamPos awaits its echo
    std::size_t m_streamPos = 0;
    std::string m_record;      // memory write: the record being received
    config::EcuImage m_staged; // memory write: memory as it becomes when the write ends
    bool m_writeRefused = false;

    std::uint64_t m_sent = 0;    // bytes sent (or suppressed by silence)
    std::uint64_t m_echoes = 0;  // echoes sent
    std::uint64_t m_answers = 0; // answers sent
    int m_reads = 0;             // memory reads started
    std::function<void(const std::string&)> m_trace;
};

} // namespace qmx::sim
