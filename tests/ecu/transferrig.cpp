#include "transferrig.h"

#include "config/srecords.h"

namespace qmx::ecu::test {

namespace {
constexpr std::string_view kEndRecord = "S9030000FC";
}

std::function<Bytes(std::uint8_t)> FakeMemoryEcu::responder() {
    return [this](std::uint8_t byte) { return onByte(byte); };
}

Bytes FakeMemoryEcu::onByte(std::uint8_t byte) {
    // Record text holds no 'L': an 'L' while receiving records starts a new command.
    if (m_state == State::Writing && byte == 'L')
        m_state = State::Idle;
    switch (m_state) {
    case State::Reading:
        if (--m_echoesDue == 0)
            m_state = State::Idle;
        return {};
    case State::Writing: {
        if (byte == 'S' && !m_record.empty()) {
            writtenRecords.push_back(m_record);
            m_record.clear();
        }
        m_record.push_back(static_cast<char>(byte));
        const bool wrong = wrongRecordEcho && wrongRecordEcho(m_record);
        Bytes reply{static_cast<std::uint8_t>(wrong ? ~byte : byte)};
        if (m_record == kEndRecord) {
            writtenRecords.push_back(m_record);
            reply.push_back(resultByte);
            m_state = State::Idle;
        }
        return reply;
    }
    case State::AfterMemory:
    case State::Idle:
        break;
    }
    if (byte == wrongCommandEcho)
        return {static_cast<std::uint8_t>(~byte)};
    if (byte == 0xBF)
        return {'K', 'D'};
    if (byte == 0xBE)
        return {'7', 'E'};
    const bool afterMemory = m_state == State::AfterMemory;
    m_state = State::Idle;
    if (byte == 'L') {
        m_state = State::AfterMemory;
    } else if (afterMemory && byte == 'R' && !readTexts.empty()) {
        const std::string& text = readTexts[std::min<std::size_t>(reads, readTexts.size() - 1)];
        ++reads;
        Bytes reply{byte};
        reply.insert(reply.end(), text.begin(), text.end());
        m_echoesDue = text.size();
        m_state = text.empty() ? State::Idle : State::Reading;
        return reply;
    } else if (afterMemory && byte == 'W') {
        ++writes;
        writtenRecords.clear();
        m_record.clear();
        m_state = State::Writing;
    }
    return {byte};
}

std::string recordText(std::uint16_t start, const std::vector<std::uint8_t>& bytes) {
    config::EcuImage image;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        image.setByte(static_cast<std::uint16_t>(start + i), bytes[i]);
    std::vector<std::string> records;
    config::encodeSRecords(image, start, bytes.size(), records);
    std::string text;
    for (const std::string& record : records)
        text += record;
    return text;
}

TransferRig::TransferRig(std::uint16_t low, std::uint16_t high, LinkSettings settings)
    : rig(std::move(settings)) {
    image.setRange(low, high);
    maps.setModifiedHandler([this] { ++modifiedMarks; });
    rig.ports.line(0).respond = ecu.responder();
}

LinkSettings TransferRig::fastSettings() {
    LinkSettings settings = testSettings();
    settings.timeout = 10;
    settings.retry = 0;
    settings.commandRetryCount = 0;
    return settings;
}

EcuDocument TransferRig::document() {
    return {lines, maps, formats, path, machineFolder, snapshot};
}

std::vector<std::uint8_t> TransferRig::imageBytes() const {
    return {image.data() + image.low(), image.data() + image.high() + 1};
}

} // namespace qmx::ecu::test
