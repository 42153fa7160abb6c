#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "config/linelist.h"

// The title entries of a configuration: the content lines of its Title section, read
// alternately as a title and its data text. The title editor works on a copy; OK writes the
// copy back into the lines those entries came from.
namespace qmx::app {

struct TitlePair {
    std::string title;
    std::string data; // empty when the section ends on a title
};

class TitleList {
public:
    // The entries of the Title section of `lines`; empty when there is none.
    static TitleList read(const config::CLineList& lines);

    const std::vector<TitlePair>& pairs() const { return m_pairs; }
    std::size_t size() const { return m_pairs.size(); }

    // Replaces pair `index` (below size()); false and no change otherwise.
    bool replace(std::size_t index, TitlePair pair);
    // Removes pair `index` (below size()); false and no change otherwise.
    bool remove(std::size_t index);

    // Writes the entries back into `lines`: an entry's text goes to the line it was read from,
    // the lines of removed pairs are deleted, and every other line (blank, comment, untouched
    // entry) stays byte for byte. A data text given to a title that had none is inserted after
    // the title's line. `lines` must be the list this was read from, unchanged since.
    void writeBack(config::CLineList& lines) const;

private:
    struct Source {
        std::optional<std::size_t> title; // line index of the title
        std::optional<std::size_t> data;  // line index of the data text
    };
    std::vector<TitlePair> m_pairs;
    std::vector<Source> m_sources; // where each pair came from
    std::vector<Source> m_removed; // lines of removed pairs
};

} // namespace qmx::app
