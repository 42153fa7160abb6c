#include "sim/ecuengine.h"

#include "sim/srecordcodec.h"

#include <algorithm>

namespace qmx::sim {

namespace {

constexpr int BitsPerCharacter = 10; // start bit, 8 data bits, stop bit

// Replaces the checksum digits of an S-record text by a value that cannot match.
void spoilChecksum(std::string& record) {
    const int high = hexDigit(record[record.size() - 2]);
    const int low = hexDigit(record[record.size() - 1]);
    record.replace(record.size() - 2, 2, hexByte(static_cast<unsigned>(high * 16 + low + 1)));
}

// The answer to an identification query; with the fault, every byte complemented so that no
// code can match.
std::vector<std::uint8_t> identification(const std::string& text, bool wrong) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (wrong) {
        for (auto& byte : bytes)
            byte = static_cast<std::uint8_t>(~byte);
    }
    return bytes;
}

} // namespace

EcuEngine::EcuEngine(config::EcuImage& memory, EngineOptions options, TimePoint start)
    : m_memory(memory), m_options(std::move(options)), m_start(start) {
    if (m_options.baudRate > 0)
        m_characterTime = std::chrono::duration_cast<Clock::duration>(std::chrono::nanoseconds(
            std::int64_t{BitsPerCharacter} * 1'000'000'000 / m_options.baudRate));
}

void EcuEngine::receive(std::uint8_t byte, TimePoint now) {
    const TimePoint sent = now - m_deliveryLateness;
    m_deliveryLateness = Clock::duration{0};
    // The character occupies the line for its bit times before the device has all of it.
    const TimePoint arrived = std::max(sent, m_inboundFree) + m_characterTime;
    m_inboundFree = arrived;
    m_inbound.push_back({byte, arrived});
}

void EcuEngine::poll(TimePoint now, std::vector<std::uint8_t>& out) {
    for (;;) {
        const bool byteDue = !m_inbound.empty() && m_inbound.front().due <= now;
        const bool deadlineDue = m_deadline && *m_deadline <= now;
        if (!byteDue && !deadlineDue)
            break;
        // A byte that arrived by the deadline counts as in time.
        if (byteDue && (!deadlineDue || m_inbound.front().due <= *m_deadline)) {
            const Timed next = m_inbound.front();
            m_inbound.pop_front();
            handle(next.byte, next.due);
        } else if (m_state == State::Streaming) {
            abandon("memory read: no echo of character " + std::to_string(m_streamPos + 1));
        } else {
            abandon("command not completed in time");
        }
    }
    while (!m_outbound.empty() && m_outbound.front().due <= now) {
        m_deliveryLateness = now - m_outbound.front().due;
        out.push_back(m_outbound.front().byte);
        m_outbound.pop_front();
    }
}

std::optional<TimePoint> EcuEngine::nextDue() const {
    std::optional<TimePoint> next = m_deadline;
    for (const auto* queue : {&m_inbound, &m_outbound}) {
        if (!queue->empty() && (!next || queue->front().due < *next))
            next = queue->front().due;
    }
    return next;
}

void EcuEngine::handle(std::uint8_t byte, TimePoint now) {
    switch (m_state) {
    case State::Idle:
        handleIdle(byte, now);
        break;
    case State::AfterMemoryCommand:
        if (byte == cmd::Read) {
            echo(byte, now);
            startStream(now);
        } else if (byte == cmd::Write) {
            echo(byte, now);
            m_staged = m_memory;
            m_writeRefused = false;
            m_record.clear();
            enter(State::Records, now);
        } else {
            abandon("0x" + hexByte(byte) + " after the memory command");
        }
        break;
    case State::SingleWrite:
        handleSingleWrite(byte, now);
        break;
    case State::Streaming:
        handleStreamEcho(byte, now);
        break;
    case State::Records:
        handleRecordCharacter(byte, now);
        break;
    }
}

void EcuEngine::handleIdle(std::uint8_t byte, TimePoint now) {
    switch (byte) {
    case cmd::Memory:
        echo(byte, now);
        enter(State::AfterMemoryCommand, now);
        return;
    case cmd::ByteWrite:
    case cmd::WordWrite:
        echo(byte, now);
        m_arguments.clear();
        m_argumentsNeeded = byte == cmd::ByteWrite ? 3 : 4;
        enter(State::SingleWrite, now);
        return;
    case cmd::EcuTypeQuery:
        answer(identification(m_options.ecuAnswer, m_options.faults.wrongEcuId), now);
        return;
    case cmd::MachineQuery:
        answer(identification(m_options.machineAnswer, m_options.faults.wrongMachineId), now);
        return;
    default:
        break;
    }
    const auto& items = m_options.monitorItems;
    const auto item = std::find_if(items.begin(), items.end(),
                                   [byte](const MonitorItem& i) { return i.request == byte; });
    if (item != items.end())
        answer(monitorValue(*item, now), now);
    else
        note("ignored 0x" + hexByte(byte));
}

void EcuEngine::handleSingleWrite(std::uint8_t byte, TimePoint now) {
    echo(byte, now);
    m_arguments.push_back(byte);
    if (m_arguments.size() < m_argumentsNeeded) {
        enter(State::SingleWrite, now);
        return;
    }
    const auto address = static_cast<std::uint16_t>(m_arguments[0] << 8 | m_arguments[1]);
    if (m_argumentsNeeded == 3) {
        m_memory.setByte(address, m_arguments[2]);
        note("stored byte " + hexByte(m_arguments[2]) + " at " + hexByte(address >> 8) +
             hexByte(address));
    } else {
        m_memory.setWord(address, static_cast<std::uint16_t>(m_arguments[2] << 8 | m_arguments[3]));
        note("stored word " + hexByte(m_arguments[2]) + hexByte(m_arguments[3]) + " at " +
             hexByte(address >> 8) + hexByte(address));
    }
    enter(State::Idle, now);
}

void EcuEngine::startStream(TimePoint now) {
    ++m_reads;
    std::vector<std::string> records = encodeS1Records(m_memory.low(), config::editData(m_memory));
    const Faults& faults = m_options.faults;
    const auto bad = static_cast<std::size_t>(faults.badChecksumRecord);
    // The last entry is the end record, which keeps its fixed text.
    if (bad > 0 && bad < records.size() &&
        (faults.badChecksumReads == 0 || m_reads <= faults.badChecksumReads))
        spoilChecksum(records[bad - 1]);
    m_stream.clear();
    for (const auto& record : records)
        m_stream += record;
    m_streamPos = 0;
    m_state = State::Streaming;
    sendStreamCharacter(now);
}

void EcuEngine::sendStreamCharacter(TimePoint now) {
    const TimePoint due =
        send(static_cast<std::uint8_t>(m_stream[m_streamPos]), now, Milliseconds(0));
    m_deadline = due + m_options.echoTimeout;
}

void EcuEngine::handleStreamEcho(std::uint8_t byte, TimePoint now) {
    const auto expected = static_cast<std::uint8_t>(m_stream[m_streamPos]);
    if (byte != expected) {
        abandon("memory read: echo 0x" + hexByte(byte) + " for 0x" + hexByte(expected) +
                " at character " + std::to_string(m_streamPos + 1));
        return;
    }
    if (++m_streamPos < m_stream.size()) {
        sendStreamCharacter(now);
        return;
    }
    note("memory read: sent " + std::to_string(m_stream.size()) + " characters");
    enter(State::Idle, now);
}

void EcuEngine::handleRecordCharacter(std::uint8_t byte, TimePoint now) {
    const std::size_t position = m_record.size();
    bool fits = position == 0   ? byte == 'S'
                : position == 1 ? byte == '1' || byte == '9'
                                : hexDigit(static_cast<char>(byte)) >= 0;
    // A count below 3 cannot hold the address and the checksum.
    if (fits && position == 3)
        fits = hexDigit(m_record[2]) * 16 + hexDigit(static_cast<char>(byte)) >= 3;
    if (!fits) {
        abandon("memory write: 0x" + hexByte(byte) + " at position " +
                std::to_string(position + 1) + " of a record");
        return;
    }
    echo(byte, now);
    m_record.push_back(static_cast<char>(byte));
    if (m_record.size() == announcedLength(m_record))
        finishRecord(now);
    else
        enter(State::Records, now);
}

void EcuEngine::finishRecord(TimePoint now) {
    if (m_record[1] == '9') {
        if (m_writeRefused) {
            note("memory write refused");
        } else {
            m_memory = m_staged;
            note("memory write stored");
        }
        m_record.clear();
        enter(State::Idle, now);
        answer({m_writeRefused ? m_options.rejectResult : m_options.writeResult}, now);
        return;
    }
    const S1Record record = decodeS1Record(m_record);
    const bool inside = record.address >= m_memory.low() &&
                        record.address + record.data.size() <= std::size_t{m_memory.high()} + 1;
    if (record.problem.empty() && inside) {
        auto address = record.address;
        for (const std::uint8_t value : record.data)
            m_staged.setByte(address++, value);
    } else {
        m_writeRefused = true;
        note("memory write: refusing record " + m_record + " (" +
             (record.problem.empty() ? "outside the data area" : record.problem) + ")");
    }
    m_record.clear();
    enter(State::Records, now);
}

void EcuEngine::enter(State state, TimePoint now) {
    m_state = state;
    if (state == State::Idle)
        m_deadline.reset();
    else
        m_deadline = now + m_options.commandTimeout;
}

void EcuEngine::abandon(const std::string& why) {
    note("abandoned: " + why);
    m_state = State::Idle;
    m_deadline.reset();
    m_arguments.clear();
    m_stream.clear();
    m_record.clear();
}

TimePoint EcuEngine::send(std::uint8_t byte, TimePoint now, Milliseconds delay) {
    const TimePoint due = std::max(now + delay, m_outboundFree) + m_characterTime;
    const auto& silence = m_options.faults.silenceAfter;
    if (silence && ++m_sent > *silence)
        return due;
    m_outboundFree = due;
    m_outbound.push_back({byte, due});
    return due;
}

void EcuEngine::echo(std::uint8_t byte, TimePoint now) {
    const Faults& faults = m_options.faults;
    ++m_echoes;
    if (faults.droppedEchoes.contains(m_echoes)) {
        note("dropping echo " + std::to_string(m_echoes));
        return;
    }
    if (faults.wrongEchoes.contains(m_echoes))
        byte = static_cast<std::uint8_t>(~byte);
    send(byte, now, faults.echoDelay);
}

void EcuEngine::answer(const std::vector<std::uint8_t>& bytes, TimePoint now) {
    const Faults& faults = m_options.faults;
    ++m_answers;
    if (faults.noiseAnswers == 0 || m_answers <= static_cast<std::uint64_t>(faults.noiseAnswers)) {
        for (const std::uint8_t byte : faults.noise)
            send(byte, now, faults.answerDelay);
    }
    for (const std::uint8_t byte : bytes)
        send(byte, now, faults.answerDelay);
}

std::vector<std::uint8_t> EcuEngine::monitorValue(const MonitorItem& item, TimePoint now) const {
    const auto periods = item.period.count() > 0 ? (now - m_start) / item.period : 0;
    // Two's complement wrap keeps a falling value within its bytes too.
    const auto value = static_cast<std::uint64_t>(item.start + item.step * periods);
    if (item.length == 1)
        return {static_cast<std::uint8_t>(value)};
    return {static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

void EcuEngine::note(const std::string& text) const {
    if (m_trace)
        m_trace(text);
}

} // namespace qmx::sim
