#pragma once

#include <string>
#include <string_view>
#include <vector>

// The map link: up to four maps, named #1 to #4, whose Y values the user edits together.
namespace qmx::maps {

enum class LinkMode {
    All = 0,   // every linked map receives what is written into one of them
    Pairs = 1, // #1 with #4, #2 with #3
    None = 2,  // each map is edited alone
};

class MapLink {
public:
    LinkMode mode() const { return m_mode; }
    // The linked names in order, #1 first: none, 2 or 4.
    const std::vector<std::string>& names() const { return m_names; }
    bool active() const { return m_mode != LinkMode::None; }

    // Links `names` in `mode`. Mode None, or a count other than 2 or 4, drops the link.
    void set(LinkMode mode, std::vector<std::string> names);
    // Mode None, no names.
    void clear();

    // Names of the maps that receive a copy of a Y value the user writes into map `source`:
    // in mode All every other linked map, in mode Pairs the partner; none when `source` is
    // not linked.
    std::vector<std::string> copyTargets(std::string_view source) const;

    // The label the views show beside map `current`: "#1,#2,#3,#4" or "#1,#2" in mode All,
    // "#1,#4" or "#2,#3" in mode Pairs; empty without a link or when `current` is not linked.
    std::string label(std::string_view current) const;

    // The title of map `current` in window captions: the names edited together with it, joined
    // by ","; its own name when it is edited alone.
    std::string title(std::string_view current) const;

private:
    // Slots (from 0) of the maps edited together with `current`, in slot order; empty when it
    // is edited alone.
    std::vector<std::size_t> group(std::string_view current) const;

    LinkMode m_mode = LinkMode::None;
    std::vector<std::string> m_names;
};

} // namespace qmx::maps
