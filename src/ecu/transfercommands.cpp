#include "ecu/transfercommands.h"

#include "app/messages.h"
#include "app/messagesink.h"
#include "config/srecords.h"
#include "ecu/datapane.h"
#include "ecu/ecuread.h"
#include "ecu/ecuwrite.h"
#include "maps/mapset.h"

namespace qmx::ecu {

namespace {

// Shows the outcome of a command: the status text on success, else the error text (a failure
// the transfer showed itself leaves no error text and is not shown twice).
void showOutcome(app::MessageSink& sink, const CompareData& data, int result, int caption) {
    if (result == app::msg::Success)
        sink.show(data.statusText, app::messageText(caption), app::Icon::Information);
    else if (!data.errorText.empty())
        sink.show(data.errorText, app::messageText(caption), app::Icon::Exclamation);
}

bool ask(app::MessageSink& sink, int message) {
    return sink.show(app::messageText(message), app::messageText(app::msg::ProgramTitle),
                     app::Icon::Question, app::Buttons::OkCancel) == app::Answer::Ok;
}

} // namespace

bool fixChecksumBeforeTransfer(EcuDocument& document) {
    const bool changed = config::fixImageChecksum(document.maps.image());
    if (changed)
        document.maps.markModified();
    return changed;
}

int readEcuCommand(TransferContext& context, EcuDocument& document, const RefreshViews& refresh) {
    CompareData data;
    fixChecksumBeforeTransfer(document);
    const int result = readFromEcu(context, document, data);
    showOutcome(context.sink, data, result, app::msg::ReadFromEcuCaption);
    if (refresh)
        refresh();
    return result;
}

int writeEcuCommand(TransferContext& context, EcuDocument& document, const RefreshViews& refresh) {
    CompareData data;
    const bool checksumChanged = fixChecksumBeforeTransfer(document);
    const int result = writeToEcu(context, document, data);
    showOutcome(context.sink, data, result, app::msg::WriteToEcuCaption);
    if (checksumChanged && refresh)
        refresh();
    return result;
}

bool editDataMatchesSnapshot(const EcuDocument& document) {
    if (!document.ecuSnapshot)
        return true;
    DataPane edit;
    loadEditData(document, edit);
    return edit.bytes == *document.ecuSnapshot;
}

bool confirmClose(app::MessageSink& sink, EcuDocument& document, bool modified) {
    if (modified && !document.path.empty() && !ask(sink, app::msg::CloseWithoutSaving))
        return false;
    if (!editDataMatchesSnapshot(document) && !ask(sink, app::msg::CloseWithoutWriting))
        return false;
    document.ecuSnapshot.reset();
    return true;
}

} // namespace qmx::ecu
