#include "maps/maplink.h"

#include <algorithm>

namespace qmx::maps {

void MapLink::set(LinkMode mode, std::vector<std::string> names) {
    if (mode == LinkMode::None || (names.size() != 2 && names.size() != 4)) {
        clear();
        return;
    }
    m_mode = mode;
    m_names = std::move(names);
}

void MapLink::clear() {
    m_mode = LinkMode::None;
    m_names.clear();
}

std::vector<std::size_t> MapLink::group(std::string_view current) const {
    const auto found = std::find(m_names.begin(), m_names.end(), current);
    if (m_mode == LinkMode::None || found == m_names.end())
        return {};
    const auto slot = static_cast<std::size_t>(found - m_names.begin());
    if (m_mode == LinkMode::All) {
        std::vector<std::size_t> all(m_names.size());
        for (std::size_t i = 0; i < all.size(); ++i)
            all[i] = i;
        return all;
    }
    const std::size_t partner = 3 - slot;
    if (partner >= m_names.size())
        return {};
    return {std::min(slot, partner), std::max(slot, partner)};
}

std::vector<std::string> MapLink::copyTargets(std::string_view source) const {
    std::vector<std::string> targets;
    for (std::size_t slot : group(source)) {
        if (m_names[slot] != source)
            targets.push_back(m_names[slot]);
    }
    return targets;
}

std::string MapLink::label(std::string_view current) const {
    std::string text;
    for (std::size_t slot : group(current)) {
        if (!text.empty())
            text += ',';
        text += '#';
        text += static_cast<char>('1' + slot);
    }
    return text;
}

std::string MapLink::title(std::string_view current) const {
    const std::vector<std::size_t> slots = group(current);
    if (slots.empty())
        return std::string(current);
    std::string text;
    for (std::size_t slot : slots) {
        if (!text.empty())
            text += ',';
        text += m_names[slot];
    }
    return text;
}

} // namespace qmx::maps
