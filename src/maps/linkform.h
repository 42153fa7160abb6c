#pragma once

#include <array>
#include <string>
#include <vector>

#include "maps/linkrules.h"
#include "maps/mapset.h"

namespace qmx::text {
class MessageSink;
}

namespace qmx::maps {

// The "Multi Map Edit" dialog without its window: the lists "#1 Map" to "#4 Map" with their
// fill rules, the names and the mode chosen, and what OK and "&Individual Edit" do with them.
class LinkForm {
public:
    static constexpr int kLists = 4;

    // The dialog as it opens on `maps` (which outlives the form): the mode of the link, list #1
    // with every map whose name ends in a digit, lists #2 to #4 with the partners of #1, and the
    // linked names chosen (a name a list does not offer stays unchosen).
    explicit LinkForm(MapSet& maps);

    // The entries of list `list` (0 for #1 .. 3 for #4); lists #2 to #4 end with an empty entry.
    const std::vector<std::string>& entries(int list) const;
    // The name chosen in list `list`; empty for none.
    const std::string& chosen(int list) const;
    // Chooses `name` in list `list`. Another #1 refills lists #2 to #4 with its partners and
    // chooses none in them.
    void choose(int list, const std::string& name);

    LinkMode mode() const { return m_choice.mode; }
    // The mode of the radio buttons: All, Pairs, or None when neither is checked.
    void setMode(LinkMode mode) { m_choice.mode = mode; }

    // OK: a refusal of validateLinkChoice is shown as a warning captioned "Multi Map Edit" and
    // the dialog stays open; a link asks 3006 first (No keeps the dialog open), then is set; the
    // mode None drops the link. Setting or dropping marks the document modified. True when the
    // dialog closes.
    bool accept(text::MessageSink& sink);
    // "&Individual Edit": asks 3005 (OK/Cancel); on OK drops the link as OK without a mode does.
    // True when the dialog closes.
    bool individualEdit(text::MessageSink& sink);

private:
    std::vector<std::string>& list(int index);

    MapSet& m_maps;
    std::array<std::vector<std::string>, kLists> m_entries;
    LinkChoice m_choice;
};

} // namespace qmx::maps
