#include "maps/linkform.h"

#include "text/messages.h"
#include "text/messagesink.h"

#include <algorithm>

namespace qmx::maps {

namespace {

std::string_view caption() {
    return text::messageText(text::msg::MultiMapEditCaption);
}

bool offers(const std::vector<std::string>& entries, const std::string& name) {
    return std::find(entries.begin(), entries.end(), name) != entries.end();
}

} // namespace

LinkForm::LinkForm(MapSet& maps) : m_maps(maps) {
    const MapLink& link = maps.link();
    m_choice.mode = link.mode();
    list(0) = firstMapChoices(maps);
    const std::vector<std::string>& names = link.names();
    const auto linked = [&](int slot) {
        return static_cast<std::size_t>(slot) < names.size() ? names[std::size_t(slot)]
                                                             : std::string();
    };
    choose(0, offers(list(0), linked(0)) ? linked(0) : std::string());
    for (int slot = 1; slot < kLists; ++slot) {
        if (offers(list(slot), linked(slot)))
            choose(slot, linked(slot));
    }
}

const std::vector<std::string>& LinkForm::entries(int list) const {
    return m_entries.at(static_cast<std::size_t>(list));
}

const std::string& LinkForm::chosen(int list) const {
    return m_choice.names.at(static_cast<std::size_t>(list));
}

void LinkForm::choose(int index, const std::string& name) {
    m_choice.names.at(static_cast<std::size_t>(index)) = name;
    if (index != 0)
        return;
    for (int partner = 1; partner < kLists; ++partner) {
        list(partner) = partnerMapChoices(m_maps, name);
        m_choice.names.at(static_cast<std::size_t>(partner)).clear();
    }
}

bool LinkForm::accept(text::MessageSink& sink) {
    if (const text::Status refusal = validateLinkChoice(m_maps, m_choice)) {
        sink.show(text::messageText(refusal), caption(), text::Icon::Exclamation);
        return false;
    }
    if (m_choice.mode != LinkMode::None &&
        sink.show(text::messageText(text::msg::ExecuteMapLink), caption(), text::Icon::Question,
                  text::Buttons::YesNo) != text::Answer::Yes)
        return false;
    applyLinkChoice(m_maps, m_choice);
    return true;
}

bool LinkForm::individualEdit(text::MessageSink& sink) {
    if (sink.show(text::messageText(text::msg::CancelMapLink), caption(), text::Icon::Question,
                  text::Buttons::OkCancel) != text::Answer::Ok)
        return false;
    m_choice.mode = LinkMode::None;
    return accept(sink);
}

std::vector<std::string>& LinkForm::list(int index) {
    return m_entries.at(static_cast<std::size_t>(index));
}

} // namespace qmx::maps
