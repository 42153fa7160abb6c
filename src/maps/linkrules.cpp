#include "maps/linkrules.h"

#include "config/linerules.h"
#include "text/messages.h"

namespace qmx::maps {

namespace {

bool endsInDigit(std::string_view name) {
    return !name.empty() && name.back() >= '0' && name.back() <= '9';
}

// The slots #1..#4 named by the section; later lines replace earlier ones.
std::array<std::string, 4> presetSlots(const config::CLineList& lines) {
    std::array<std::string, 4> slots;
    for (std::size_t index : config::sectionContent(lines, "Multi Map")) {
        const std::string_view line = lines.textAt(index);
        const std::size_t comma = line.find(',');
        const std::string_view name = config::trim(line.substr(0, comma));
        const std::string_view rest = comma == std::string_view::npos
                                          ? std::string_view{}
                                          : config::trim(line.substr(comma + 1));
        const int position = rest.empty() ? 0 : config::parseDecimal(rest).value_or(0);
        if (endsInDigit(name) && position >= 1 && position <= 4)
            slots[static_cast<std::size_t>(position - 1)] = std::string(name);
    }
    return slots;
}

bool linkable(const MapSet& maps, const std::string& a, const std::string& b) {
    const Map* first = maps.find(a);
    const Map* second = maps.find(b);
    return first && second && a != b && first->y.count == second->y.count;
}

} // namespace

void readMultiMapSection(const config::CLineList& lines, MapSet& maps) {
    const std::array<std::string, 4> slots = presetSlots(lines);
    if (!linkable(maps, slots[0], slots[1]))
        return;
    std::vector<std::string> names{slots[0], slots[1]};
    if (linkable(maps, slots[0], slots[2]) && linkable(maps, slots[0], slots[3]) &&
        slots[1] != slots[2] && slots[1] != slots[3] && slots[2] != slots[3]) {
        names.push_back(slots[2]);
        names.push_back(slots[3]);
    }
    maps.link().set(LinkMode::All, std::move(names));
}

text::Status dropLinkForNoDocument(MapSet& maps, const config::CLineList& lines) {
    const bool wasActive = maps.link().active();
    maps.link().clear();
    readMultiMapSection(lines, maps);
    return wasActive ? text::msg::MapLinkCleared : text::msg::Success;
}

std::string currentLinkLabel(const MapSet& maps) {
    const Map* current = maps.current();
    return current ? maps.link().label(current->name) : std::string();
}

std::vector<std::string> firstMapChoices(const MapSet& maps) {
    std::vector<std::string> names;
    for (const Map& map : maps.maps()) {
        if (endsInDigit(map.name))
            names.push_back(map.name);
    }
    return names;
}

std::vector<std::string> partnerMapChoices(const MapSet& maps, std::string_view first) {
    std::vector<std::string> names;
    if (!first.empty()) {
        const std::string_view stem = first.substr(0, first.size() - 1);
        for (const Map& map : maps.maps()) {
            if (map.name != first && map.name.size() == first.size() &&
                std::string_view(map.name).substr(0, stem.size()) == stem)
                names.push_back(map.name);
        }
    }
    names.emplace_back();
    return names;
}

text::Status validateLinkChoice(const MapSet& maps, const LinkChoice& choice) {
    if (choice.mode == LinkMode::None)
        return text::msg::Success;
    const auto& names = choice.names;
    for (std::size_t i = 0; i < names.size(); ++i) {
        for (std::size_t j = i + 1; j < names.size(); ++j) {
            if (!names[i].empty() && names[i] == names[j])
                return text::msg::MapNamesPiledUp;
        }
    }
    if (names[0].empty() || names[1].empty())
        return text::msg::LinkFirstOrSecondEmpty;
    if (names[2].empty() != names[3].empty())
        return text::msg::LinkThirdFourthMismatch;
    for (std::size_t i = 1; i < names.size(); ++i) {
        if (!names[i].empty() && !linkable(maps, names[0], names[i]))
            return text::msg::LinkDataCountDiffers;
    }
    return text::msg::Success;
}

void applyLinkChoice(MapSet& maps, const LinkChoice& choice) {
    std::vector<std::string> names;
    for (const std::string& name : choice.names) {
        if (!name.empty())
            names.push_back(name);
    }
    maps.link().set(choice.mode, std::move(names));
    maps.markModified();
}

} // namespace qmx::maps
