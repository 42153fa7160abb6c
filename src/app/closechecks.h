#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "app/configuration.h"
#include "config/ecuimage.h"

// What closing a document must ask before it loses edits.
namespace qmx::app {

using EcuSnapshot = std::optional<std::vector<std::uint8_t>>;

// The edit data: a copy of the image bytes low() .. high(); empty when low() > high().
std::vector<std::uint8_t> editData(const config::EcuImage& image);

// Closing would lose unsaved edits: a file is open and modified (question 3001).
bool closeLosesUnsavedEdits(const Configuration& configuration);

// Closing would lose edits not written to the ECU: the edit data differs from the snapshot of
// the data last read from or written to the ECU (question 57654). No snapshot counts as equal.
bool closeLosesEcuEdits(const config::EcuImage& image, const EcuSnapshot& snapshot);

} // namespace qmx::app
