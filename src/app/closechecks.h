#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/configuration.h"
#include "config/ecuimage.h"
#include "ecu/transfercontext.h"

// What closing a document must ask before it loses edits.
namespace qmx::app {

using ecu::EcuSnapshot;

// Closing would lose unsaved edits: a file is open and modified (question 3001).
bool closeLosesUnsavedEdits(const Configuration& configuration);

// Closing would lose edits not written to the ECU: the edit data differs from the snapshot of
// the data last read from or written to the ECU (question 57654). No snapshot counts as equal.
bool closeLosesEcuEdits(const config::EcuImage& image, const EcuSnapshot& snapshot);

} // namespace qmx::app
