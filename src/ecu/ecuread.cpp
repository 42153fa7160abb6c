#include "ecu/ecuread.h"

#include "config/srecords.h"
#include "ecu/exchange.h"
#include "ecu/link.h"
#include "ecu/progresswindow.h"
#include "maps/mapset.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <algorithm>
#include <cstdio>

namespace qmx::ecu {

namespace {

constexpr std::size_t kAddressSpace = 0x10000;

// A record of the received text as one S1 record: exact length, right checksum.
std::optional<config::SRecord> decodeRecord(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    auto record = config::parseS1Record(text);
    // Type, count, address, data and checksum: 2 + 2 × (data + 4) characters.
    if (!record || !record->checksumOk || text.size() != 2 + 2 * (record->data.size() + 4))
        return std::nullopt;
    return record;
}

struct Scan {
    std::vector<config::SRecord> records; // the good records before the first fault or S9
    bool ended = false;                   // an S9 record came after them
    bool clean = true;                    // no fault came before the S9 or the end
};

Scan scanRecords(std::string_view text) {
    Scan scan;
    if (!text.empty() && text.front() != 'S') {
        scan.clean = false;
        return scan;
    }
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t next = text.find('S', at + 1);
        const std::string_view record = text.substr(at, next - at);
        if (record.starts_with("S9")) {
            scan.ended = true;
            return scan;
        }
        auto decoded = decodeRecord(record);
        if (!decoded) {
            scan.clean = false;
            return scan;
        }
        scan.records.push_back(std::move(*decoded));
        at = next;
    }
    return scan;
}

// The bytes from the lowest record address to the end of the highest record; records without
// data take no part.
ReceivedData assemble(const std::vector<config::SRecord>& records) {
    std::size_t low = kAddressSpace;
    std::size_t end = 0;
    for (const config::SRecord& record : records) {
        if (record.data.empty())
            continue;
        low = std::min<std::size_t>(low, record.address);
        end = std::max(end, record.address + record.data.size());
    }
    ReceivedData data;
    if (low >= end)
        return data;
    data.start = static_cast<std::uint16_t>(low);
    data.bytes.assign(end - low, 0);
    for (const config::SRecord& record : records)
        std::copy(record.data.begin(), record.data.end(),
                  data.bytes.begin() + static_cast<std::ptrdiff_t>(record.address - low));
    return data;
}

std::string hex4(std::size_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%04zX", value);
    return text;
}

} // namespace

std::optional<ReceivedData> parseReceivedText(std::string_view text) {
    const Scan scan = scanRecords(text);
    if (!scan.clean || !scan.ended)
        return std::nullopt;
    ReceivedData data = assemble(scan.records);
    if (data.bytes.empty())
        return std::nullopt;
    return data;
}

ReceivedData parsePartialText(std::string_view text) {
    return assemble(scanRecords(text).records);
}

text::Status ReadEcu(TransferContext& context, CompareData& data, PaneTarget target,
                     bool showMessages) {
    constexpr char kTitle[] = "ECU Data";
    Link& link = context.link;
    TransferRun run(link);
    if (!run.drain("ReadEcu_GetRestDataFromPort")) {
        context.sink.show(text::messageText(text::msg::DataRemainsInPort),
                          text::messageText(text::msg::ReadFromEcuCaption),
                          text::Icon::Exclamation);
        return text::msg::DataRemainsInPort;
    }
    DataPane& pane = data.pane(target);
    if (target == PaneTarget::Second)
        pane.clear();
    pane.partial = false;

    std::string received;
    std::optional<ReceivedData> parsed;
    text::Status result;
    {
        ProgressScope window(context.progress, "Read from ECU");
        result = run.begin();
        if (result == text::msg::Success) {
            const LinkSettings& settings = link.settings();
            const bool read = run.attempts(context.progress, [&](bool retry) {
                const int commandWait = retry ? settings.echoBackWaitTimeReadEcu : 0;
                const int byteWait = retry ? settings.echoBackReadWaitTime : 0;
                // A line that keeps talking cannot carry the exchange.
                if (!flushPort(link, "ReadEcu"))
                    return false;
                received.clear();
                std::string address;
                if (!OutComm(link, settings.commands.byte('L'), commandWait) ||
                    !OutComm(link, settings.commands.byte('R'), commandWait) ||
                    !InComm(link, received, address, context.progress, byteWait))
                    return false;
                // Line noise must never reach the image: a wrong record fails the attempt.
                parsed = parseReceivedText(received);
                return parsed.has_value();
            });
            if (!read)
                result = text::msg::FailedToCorrespond;
        }
        run.end();
    }

    if (result == text::msg::Success) {
        pane.fill(parsed->start, std::move(parsed->bytes), kTitle);
        return result;
    }
    std::string failure(text::messageText(result));
    if (result == text::msg::FailedToCorrespond) {
        pane.clear();
        ReceivedData part = parsePartialText(received);
        if (!part.bytes.empty()) {
            const std::size_t missing = part.start + part.bytes.size();
            failure += '\n';
            failure += text::messageText(text::msg::ReadErrorAddress, hex4(missing));
            pane.fill(part.start, std::move(part.bytes), kTitle);
            pane.partial = true;
        }
    }
    reportTransferFailure(context.sink, data, link.withProblem(std::move(failure)),
                          text::msg::ReadFromEcuCaption, showMessages);
    return result;
}

text::Status storeReadData(EcuDocument& document, CompareData& data, text::MessageSink& sink,
                           bool showMessages) {
    const DataPane& pane = data.first;
    if (pane.empty())
        return text::msg::Success;
    config::EcuImage& image = document.maps.image();
    const bool exactRange = image.low() <= image.high() && pane.start == image.low() &&
                            pane.count() == std::size_t{image.high()} - image.low() + 1;
    if (!exactRange) {
        reportTransferFailure(sink, data,
                              std::string(text::messageText(text::msg::AddressDoesNotCorrespond)),
                              text::msg::ReadFromEcuCaption, showMessages);
        return text::msg::AddressDoesNotCorrespond;
    }
    bool changed = false;
    for (std::size_t i = 0; i < pane.count(); ++i) {
        const auto address = static_cast<std::uint16_t>(pane.start + i);
        changed = changed || image.byte(address) != pane.bytes[i];
        image.setByte(address, pane.bytes[i]);
    }
    document.maps.relayoutFreeMaps();
    if (changed)
        document.maps.markModified();
    data.imageChanged = true;
    return text::msg::Success;
}

text::Status readFromEcu(TransferContext& context, EcuDocument& document, CompareData& data) {
    data.statusText.clear();
    data.errorText.clear();
    if (const text::Status result = ReadEcu(context, data, PaneTarget::First, false))
        return result;
    if (data.first.empty())
        return text::msg::Success;
    if (const text::Status result = storeReadData(document, data, context.sink, false))
        return result;
    document.ecuSnapshot = data.first.bytes;
    data.statusText = text::messageText(text::msg::Complete);
    return text::msg::Success;
}

} // namespace qmx::ecu
