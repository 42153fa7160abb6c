#pragma once

#include "text/status.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "config/linelist.h"
#include "maps/maplink.h"
#include "maps/mapset.h"

// How a map link comes about: the preset of the configuration's "Multi Map" section, the
// choices and checks of the "Multi Map Edit" dialog, and the reset when the document closes.
namespace qmx::maps {

// Presets the link from section "Multi Map" (lines "name, position" with position 1..4 and a
// name ending in a digit; later lines replace earlier ones): #1 and #2 linked in mode All when
// both name different maps of `maps` with equal cell counts, and #3 and #4 with them when
// those also do and all four differ. Otherwise the link is left as it is.
void readMultiMapSection(const config::CLineList& lines, MapSet& maps);

// Drops the link for the no-document state and presets it again from `lines`. Returns
// MapLinkCleared (3008) when a link was active, for the caller to show captioned with the
// program title and the question icon; 0 otherwise.
text::Status dropLinkForNoDocument(MapSet& maps, const config::CLineList& lines);

// The link label the views show beside the current map of `maps` ("#1,#2,#3,#4", "#1,#2",
// "#1,#4" or "#2,#3"); empty when it is edited alone or no map is current.
std::string currentLinkLabel(const MapSet& maps);

// The dialog's list #1: every map whose name ends in a digit, in definition order.
std::vector<std::string> firstMapChoices(const MapSet& maps);

// Lists #2 to #4 for the map named `first`: every other map whose name is `first` with its
// last character replaced by any one character, in definition order, then an empty entry.
std::vector<std::string> partnerMapChoices(const MapSet& maps, std::string_view first);

// What the dialog's OK reads: names #1 to #4 (empty for no map) and the mode of the radio
// buttons (None when neither is checked).
struct LinkChoice {
    std::array<std::string, 4> names;
    LinkMode mode = LinkMode::None;
};

// Checks a choice: MapNamesPiledUp (1538) for two equal names, LinkFirstOrSecondEmpty (1539),
// LinkThirdFourthMismatch (1540) when exactly one of #3 and #4 is empty,
// LinkDataCountDiffers (1541) when the maps' cell counts differ or a name is unknown; 0 when
// the link may be set. Mode None (each map alone) always passes.
text::Status validateLinkChoice(const MapSet& maps, const LinkChoice& choice);

// Sets the link of a validated choice (2 or 4 names; mode None drops it) and marks the
// document modified.
void applyLinkChoice(MapSet& maps, const LinkChoice& choice);

} // namespace qmx::maps
