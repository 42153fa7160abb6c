#include "app/titlelist.h"

#include "config/linerules.h"

#include <algorithm>
#include <functional>

namespace qmx::app {

TitleList TitleList::read(const config::CLineList& lines) {
    TitleList list;
    const std::vector<std::size_t> content = config::sectionContent(lines, "Title");
    for (std::size_t i = 0; i < content.size(); i += 2) {
        TitlePair pair{lines.textAt(content[i]), {}};
        Source source{content[i], std::nullopt};
        if (i + 1 < content.size()) {
            pair.data = lines.textAt(content[i + 1]);
            source.data = content[i + 1];
        }
        list.m_pairs.push_back(std::move(pair));
        list.m_sources.push_back(source);
    }
    return list;
}

bool TitleList::replace(std::size_t index, TitlePair pair) {
    if (index >= m_pairs.size())
        return false;
    m_pairs[index] = std::move(pair);
    return true;
}

bool TitleList::remove(std::size_t index) {
    if (index >= m_pairs.size())
        return false;
    m_removed.push_back(m_sources[index]);
    m_pairs.erase(m_pairs.begin() + static_cast<std::ptrdiff_t>(index));
    m_sources.erase(m_sources.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void TitleList::writeBack(config::CLineList& lines) const {
    // Texts first (indexes are still those of the read), then insertions and deletions from
    // the highest index down so that the lower indexes stay valid.
    std::vector<std::size_t> deletions;
    std::vector<std::pair<std::size_t, std::string>> insertions; // insert before index
    for (std::size_t i = 0; i < m_pairs.size(); ++i) {
        const Source& source = m_sources[i];
        const TitlePair& pair = m_pairs[i];
        if (source.title && *source.title < lines.count()) {
            lines.removeAt(*source.title);
            lines.insertAt(*source.title, pair.title);
        }
        if (source.data && *source.data < lines.count()) {
            lines.removeAt(*source.data);
            lines.insertAt(*source.data, pair.data);
        } else if (!source.data && source.title && !pair.data.empty()) {
            insertions.emplace_back(*source.title + 1, pair.data);
        }
    }
    for (const Source& source : m_removed) {
        if (source.title)
            deletions.push_back(*source.title);
        if (source.data)
            deletions.push_back(*source.data);
    }
    // Edits as (index, delete?, text), applied from the highest index down; at one index the
    // insertion (after a title) comes before any deletion of a lower line.
    std::sort(deletions.begin(), deletions.end(), std::greater<>());
    std::sort(insertions.begin(), insertions.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    auto insertion = insertions.begin();
    for (std::size_t index : deletions) {
        for (; insertion != insertions.end() && insertion->first > index; ++insertion)
            lines.insertAt(std::min(insertion->first, lines.count()), insertion->second);
        if (index < lines.count())
            lines.removeAt(index);
    }
    for (; insertion != insertions.end(); ++insertion)
        lines.insertAt(std::min(insertion->first, lines.count()), insertion->second);
}

} // namespace qmx::app
