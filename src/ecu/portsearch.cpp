#include "ecu/portsearch.h"

#include "ecu/link.h"
#include "ecu/portlister.h"
#include "platform/comports.h"
#include "text/messages.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace qmx::ecu {

namespace {

// The index of a "COMn" name with n in 1..256.
std::optional<int> comIndex(const std::string& name) {
    if (name.size() < 4 || name.compare(0, 3, "COM") != 0)
        return std::nullopt;
    int number = 0;
    const char* first = name.data() + 3;
    const char* last = name.data() + name.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number < 1 || number > platform::MaxPortIndex + 1)
        return std::nullopt;
    return number - 1;
}

enum class Trial { Selected, WrongIdentity, Nothing };

Trial tryPort(Link& link, int index, int timeoutMs) {
    int check = -1;
    if (link.openPort(false, index, timeoutMs, &check))
        return Trial::Nothing;
    if (check == text::msg::Success)
        return Trial::Selected;
    return check == text::msg::NoResponseFromEcu ? Trial::Nothing : Trial::WrongIdentity;
}

} // namespace

std::vector<PortEntry> listPorts(Link& link) {
    std::vector<PortEntry> entries;
    for (const PortInfo& info : link.choice().lister().enumerate()) {
        const std::optional<int> index = comIndex(info.portName);
        if (!index)
            continue;
        link.logEvent(0, 0, 0,
                      "Get    PortInfo: " + info.displayName + ", " + platform::comName(*index) +
                          ", " + info.deviceText);
        entries.push_back({*index, info.displayName, info.portsClass, info.details});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const PortEntry& a, const PortEntry& b) { return a.index < b.index; });

    std::vector<PortEntry> unique;
    for (auto group = entries.begin(); group != entries.end();) {
        const auto groupEnd = std::find_if(
            group, entries.end(), [&](const PortEntry& e) { return e.index != group->index; });
        const auto kept =
            std::find_if(group, groupEnd, [](const PortEntry& e) { return e.portsClass; });
        const auto keep = kept != groupEnd ? kept : group;
        for (auto it = group; it != groupEnd; ++it) {
            if (it != keep)
                link.logEvent(0, 0, 0,
                              "Remove PortInfo: " + it->displayName + ", " +
                                  platform::comName(it->index) + ", " +
                                  (it->portsClass ? "Ports" : ""));
        }
        unique.push_back(*keep);
        group = groupEnd;
    }
    return unique;
}

bool searchPort(Link& link, int* portOut) {
    const int current = link.choice().currentPortIndex();
    if (link.portOpen()) {
        if (portOut)
            *portOut = current;
        return true;
    }
    link.logEvent(0, 0, 0, "*** Search COM");

    std::optional<int> selected;
    std::vector<int> wrongIdentity;
    const auto consider = [&](int index, int timeoutMs) {
        switch (tryPort(link, index, timeoutMs)) {
        case Trial::Selected:
            selected = index;
            break;
        case Trial::WrongIdentity:
            wrongIdentity.push_back(index);
            break;
        case Trial::Nothing:
            break;
        }
    };

    consider(current, link.settings().scanSelectedPortTimeout);
    if (!selected) {
        for (const PortEntry& entry : listPorts(link)) {
            if (entry.index == current)
                continue;
            consider(entry.index, link.settings().sequentialScanPortTimeout);
            if (selected)
                break;
        }
    }

    std::optional<int> named = selected;
    if (!named && !wrongIdentity.empty())
        named = wrongIdentity.front();
    if (named && portOut)
        *portOut = *named;
    link.closePort();

    const bool found = selected.has_value();
    link.logEvent(0, found ? 1 : 0, 0,
                  "*** R Search COM:" + platform::comName(named.value_or(current)));
    link.choice().setSearchDone(found);
    return found;
}

std::string portSelectedText(int index, const std::vector<PortEntry>& ports) {
    const auto port = std::find_if(ports.begin(), ports.end(),
                                   [index](const PortEntry& p) { return p.index == index; });
    // The text carries the number as "%d" and the name as "%s".
    std::string text =
        text::messageText(text::msg::PortSelected, port != ports.end() ? port->displayName : "");
    text.replace(text.find("%d"), 2, std::to_string(index + 1));
    return text;
}

} // namespace qmx::ecu
