#pragma once

#include "text/status.h"

#include <string>
#include <vector>

#include "ecu/datapane.h"
#include "ecu/transfercontext.h"

// Writing the edit data into the ECU: after the commands 'L' and 'W' the data goes out as
// S-record text, every character echoed; after the end record the ECU answers with one result
// byte, which the configuration's [Error Message] lines translate.
namespace qmx::ecu {

// Fills `pane` with a copy of the edit data imageLow .. imageHigh, titled
// "Edit Data  [ <path> ]"; the pane is empty when no data range is loaded.
void loadEditData(const EcuDocument& document, DataPane& pane);

// The texts sent for `pane`: S1 records of 16 data bytes (the last one the rest) from its start,
// then "S9030000FC".
std::vector<std::string> recordTexts(const DataPane& pane);

// The address text of a write that broke off: the four address digits of the failing record
// with the fourth digit replaced by the record's byte at which it broke off, computed from the
// characters of the record sent correctly ((sent - 8) / 2, truncated toward zero, when 0..15).
std::string failingAddress(std::string address, int charactersSent);

// Sends the first pane of `data` into the ECU, holding the link for the whole run. Drains the
// open port, opens a closed port (and closes it again), identifies the ECU, then tries 'L', 'W',
// every record character and the result byte as often as CommandRetrycount says, a retry with
// the echo wait after every byte. Returns 0 (also for an empty pane, which sends nothing);
// 1548 when the port keeps sending; the check result 1524, 1542 or 57651; or 1520 when every
// attempt failed, with "Write Error Address : " and the address where it broke off on a second
// line. The result byte's response line (from `lines`) is shown captioned "Write to ECU" when
// `showMessages`, else it becomes data.statusText; failures are shown likewise or become
// data.errorText.
text::Status WriteEcu(TransferContext& context, const config::CLineList& lines, CompareData& data,
                      bool showMessages);

// The write behind the write command: empties the texts, loads the edit data into the first
// pane, writes it without messages and keeps it as the ECU snapshot. Returns 0 or the message
// number of the failure (its text is data.errorText; the snapshot is then unchanged).
text::Status writeToEcu(TransferContext& context, EcuDocument& document, CompareData& data);

} // namespace qmx::ecu
