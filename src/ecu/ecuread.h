#pragma once

#include "text/status.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "ecu/datapane.h"
#include "ecu/transfercontext.h"

// Reading the ECU's data area: the ECU sends it as S-record text after the commands 'L' and 'R',
// the program echoes every character, parses the text into a data pane and, for the read
// command, stores the pane into the edit image.
namespace qmx::ecu {

// Data bytes decoded from received S-record text, from the lowest record address on.
struct ReceivedData {
    std::uint16_t start = 0;
    std::vector<std::uint8_t> bytes;
};

// The data of a complete read: the text is cut into records at every 'S'; up to an S9 record
// every record must be an S1 record of exactly the length its count gives (a trailing CR or LF
// aside) with a right checksum. Records may come in any order; gaps between them stay zero.
// Nothing when any record is not such a record, when no S9 came or when no data byte came.
std::optional<ReceivedData> parseReceivedText(std::string_view text);

// The data of an interrupted read: the well-formed records before the first record that is cut
// short or wrong (or an S9); empty when there is none.
ReceivedData parsePartialText(std::string_view text);

// Reads the ECU's data area into the pane `target` of `data`, holding the link for the whole
// run. Drains the open port, opens a closed port (and closes it again), identifies the ECU, then
// tries 'L', 'R' and the reception as often as CommandRetrycount says, a retry with the echo
// waits. Returns 0 with the pane filled ("ECU Data"); 1548 when the port keeps sending (always
// shown); the check result 1524, 1542 or 57651; or 1520 when no attempt brought a complete,
// correct text: the pane then holds the records that came before the fault, marked partial,
// and the text names the first address missing ("Read Error Address : %04X"). A failure text
// is shown captioned "Read From ECU" when `showMessages`, else it becomes data.errorText.
text::Status ReadEcu(TransferContext& context, CompareData& data, PaneTarget target,
                     bool showMessages);

// Copies the first pane into the edit image. Returns 0 (nothing to do for an empty pane) or 1521
// when the pane does not cover exactly imageLow .. imageHigh; the image is then untouched and
// the text is shown captioned "Read From ECU" or kept as the error text. A stored pane lays the
// free maps out again, sets data.imageChanged and marks the document modified when a byte
// changed; linked maps receive no copies.
text::Status storeReadData(EcuDocument& document, CompareData& data, text::MessageSink& sink,
                           bool showMessages);

// The read behind the read command: empties the texts, reads into the first pane without
// messages, stores it, keeps it as the ECU snapshot and sets the status text "Complete".
// Returns 0 or the failing step's message number (its text is data.errorText).
text::Status readFromEcu(TransferContext& context, EcuDocument& document, CompareData& data);

} // namespace qmx::ecu
