#include "ecu/ecuwrite.h"

#include "config/ecuimage.h"
#include "config/responsetexts.h"
#include "config/srecords.h"
#include "ecu/exchange.h"
#include "ecu/link.h"
#include "ecu/progresswindow.h"
#include "maps/mapset.h"
#include "text/messages.h"
#include "text/messagesink.h"

#include <algorithm>
#include <memory>

namespace qmx::ecu {

namespace {

// The characters before the data of an S1 record: type, count and address.
constexpr int kRecordHead = 8;
constexpr int kRecordDataBytes = 16;

bool isEndRecord(const std::string& record) {
    return record.size() > 1 && record[1] == '9';
}

std::string percentText(std::size_t done, std::size_t total) {
    const std::size_t percent = std::min<std::size_t>(100, done * 100 / total);
    return waitText(std::to_string(percent) + "%");
}

} // namespace

void loadEditData(const EcuDocument& document, DataPane& pane) {
    const config::EcuImage& image = document.maps.image();
    pane.fill(image.low() <= image.high() ? image.low() : 0, config::editData(image),
              "Edit Data  [ " + document.path + " ]");
}

std::vector<std::string> recordTexts(const DataPane& pane) {
    auto scratch = std::make_unique<config::EcuImage>();
    for (std::size_t i = 0; i < pane.count(); ++i)
        scratch->setByte(static_cast<std::uint16_t>(pane.start + i), pane.bytes[i]);
    std::vector<std::string> records;
    config::encodeSRecords(*scratch, pane.start, pane.count(), records);
    return records;
}

std::string failingAddress(std::string address, int charactersSent) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (address.size() > 3) {
        const int byte = (charactersSent - kRecordHead) / 2;
        if (byte >= 0 && byte < kRecordDataBytes)
            address[3] = kDigits[byte];
    }
    return address;
}

text::Status WriteEcu(TransferContext& context, const config::CLineList& lines, CompareData& data,
                      bool showMessages) {
    const std::vector<std::string> responses = config::readResponseTexts(lines);
    Link& link = context.link;
    TransferRun run(link);
    if (!run.drain("WriteEcu_GetRestDataFromPort")) {
        reportTransferFailure(context.sink, data,
                              std::string(text::messageText(text::msg::DataRemainsInPort)),
                              text::msg::WriteToEcuCaption, showMessages);
        return text::msg::DataRemainsInPort;
    }
    if (data.first.empty())
        return text::msg::Success;

    const std::vector<std::string> records = recordTexts(data.first);
    // Those of the record whose sending failed last: kept across attempts.
    std::string address;
    int charactersSent = 0;
    std::optional<std::string> response;
    text::Status result;
    {
        ProgressScope window(context.progress, "Write to ECU");
        result = run.begin();
        if (result == text::msg::Success) {
            const LinkSettings& settings = link.settings();
            const bool written = run.attempts(context.progress, [&](bool retry) {
                const int wait = retry ? settings.echoBackWaitTime : 0;
                // A line that keeps talking cannot carry the exchange.
                if (!flushPort(link, "WriteEcu"))
                    return false;
                if (!OutComm(link, settings.commands.byte('L'), wait) ||
                    !OutComm(link, settings.commands.byte('W'), wait))
                    return false;
                for (std::size_t i = 0; i < records.size(); ++i) {
                    const std::string& record = records[i];
                    address = isEndRecord(record) ? std::string() : record.substr(4, 4);
                    charactersSent = 0;
                    context.progress.setStatus(percentText(i + 1, records.size()));
                    for (const char character : record) {
                        if (!OutComm(link, static_cast<std::uint8_t>(character), wait))
                            return false;
                        ++charactersSent;
                    }
                }
                std::uint8_t resultByte = 0;
                if (!InCommAt(link, resultByte))
                    return false;
                response = config::lookUpResponse(responses, resultByte);
                return true;
            });
            if (!written)
                result = text::msg::FailedToCorrespond;
        }
        run.end();
    }

    if (result == text::msg::Success) {
        if (showMessages && response)
            context.sink.show(*response, text::messageText(text::msg::WriteToEcuCaption),
                              text::Icon::Information);
        else if (!showMessages)
            data.statusText = response.value_or(std::string());
        return result;
    }
    std::string failure(text::messageText(result));
    if (result == text::msg::FailedToCorrespond) {
        failure += '\n';
        failure += text::messageText(text::msg::WriteErrorAddress,
                                     failingAddress(address, charactersSent));
    }
    reportTransferFailure(context.sink, data, link.withProblem(std::move(failure)),
                          text::msg::WriteToEcuCaption, showMessages);
    return result;
}

text::Status writeToEcu(TransferContext& context, EcuDocument& document, CompareData& data) {
    data.statusText.clear();
    data.errorText.clear();
    loadEditData(document, data.first);
    if (!data.first.empty()) {
        if (const text::Status result = WriteEcu(context, document.lines, data, false))
            return result;
    }
    document.ecuSnapshot = data.first.bytes;
    return text::msg::Success;
}

} // namespace qmx::ecu
