#pragma once

#include "text/status.h"

#include <functional>

#include "ecu/transfercontext.h"

// The main frame's commands that move the data area between the edit image and the ECU, without
// any window: messages go to the context's sink, and the caller's views are refreshed through a
// callback.
namespace qmx::ecu {

// Redraws every view of the document after its image changed.
using RefreshViews = std::function<void()>;

// "Read from ECU": for the whole command, its message and the refresh included, transferActive
// is set. Fixes the checksum byte, reads the ECU's data area into the edit image and
// keeps it as the ECU snapshot, shows "Complete" (information icon) or the failure text
// (exclamation icon) captioned "Read From ECU", then refreshes the views. Returns 0 or the
// message number of the failure.
text::Status readEcuCommand(TransferContext& context, EcuDocument& document,
                            const RefreshViews& refresh);

// "Write to ECU": with transferActive set for the whole command as for the read, fixes the
// checksum byte, writes the data range into the ECU and keeps it as the
// ECU snapshot, then shows the ECU's response text (information icon, possibly empty) or the
// failure text (exclamation icon) captioned "Write to ECU". The views are refreshed only when
// the checksum fix changed a byte. Returns 0 or the message number of the failure.
text::Status writeEcuCommand(TransferContext& context, EcuDocument& document,
                             const RefreshViews& refresh);

} // namespace qmx::ecu
