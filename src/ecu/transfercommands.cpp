#include "ecu/transfercommands.h"

#include "ecu/datapane.h"
#include "ecu/ecuread.h"
#include "ecu/ecuwrite.h"
#include "ecu/link.h"
#include "maps/mapset.h"
#include "text/messages.h"
#include "text/messagesink.h"

namespace qmx::ecu {

namespace {

// Shows the outcome of a command: the status text on success, else the error text (a failure
// the transfer showed itself leaves no error text and is not shown twice).
void showOutcome(text::MessageSink& sink, const CompareData& data, text::Status result,
                 int caption) {
    if (result == text::msg::Success)
        sink.show(data.statusText, text::messageText(caption), text::Icon::Information);
    else if (!data.errorText.empty())
        sink.show(data.errorText, text::messageText(caption), text::Icon::Exclamation);
}

} // namespace

text::Status readEcuCommand(TransferContext& context, EcuDocument& document,
                            const RefreshViews& refresh) {
    // The command holds the line until its outcome has been seen.
    TransferScope transfer(context.link.arbiter());
    CompareData data;
    document.maps.fixChecksum();
    const text::Status result = readFromEcu(context, document, data);
    showOutcome(context.sink, data, result, text::msg::ReadFromEcuCaption);
    if (refresh)
        refresh();
    return result;
}

text::Status writeEcuCommand(TransferContext& context, EcuDocument& document,
                             const RefreshViews& refresh) {
    TransferScope transfer(context.link.arbiter());
    CompareData data;
    const bool checksumChanged = document.maps.fixChecksum();
    const text::Status result = writeToEcu(context, document, data);
    showOutcome(context.sink, data, result, text::msg::WriteToEcuCaption);
    if (checksumChanged && refresh)
        refresh();
    return result;
}

} // namespace qmx::ecu
