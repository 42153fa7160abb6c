#include "app/accelerators.h"

#include "app/commands.h"

#include <array>
#include <iterator>
#include <utility>

namespace qmx::app {

namespace {

// Forwarded keyboard commands and their edit operation codes.
constexpr std::pair<int, int> kForwarded[] = {
    {32783, 7},  {32784, 8},  {32786, 10}, {32787, 11}, {32750, 11}, {32788, 12}, {32751, 12},
    {32812, 13}, {32813, 14}, {32814, 15}, {32815, 16}, {32840, 17}, {32841, 18}, {32842, 19},
    {32843, 20}, {32844, 21}, {32845, 22}, {32846, 23}, {32847, 24}, {32848, 25}, {32849, 26},
    {32853, 27}, {32854, 28}, {32855, 29}, {32856, 30}, {32857, 31}, {32858, 32},
};

constexpr auto kForwardedCommands = [] {
    std::array<int, std::size(kForwarded)> commands{};
    for (std::size_t i = 0; i < commands.size(); ++i)
        commands[i] = kForwarded[i].first;
    return commands;
}();

constexpr Accelerator kAccelerators[] = {
    {"Ctrl+O", cmd::FileOpen},
    {"Ctrl+S", cmd::FileSave},
    {"Alt+F4", cmd::AppExit},
    {"Ctrl+Z", cmd::EditUndo},
    {"Alt+Backspace", cmd::EditUndo},
    {"Ctrl+C", cmd::EditCopy},
    {"Ctrl+Ins", cmd::EditCopy},
    {"Ctrl+V", cmd::EditPaste},
    {"Shift+Ins", cmd::EditPaste},
    {"Ctrl+M", cmd::Monitor},
    {"Alt+A", cmd::AllLines},
    {"Alt+L", cmd::FocusLineList},
    {"Alt+B", cmd::FocusMapList},
    {"F4", cmd::MapWindow},
    {"F5", cmd::TableWindow},
    {"Shift+F5", cmd::HexView},
    {"Alt+P", cmd::MapPage},
    {"Alt+C", cmd::ConstPage},
    {"Return", 32783},
    {"Enter", 32783},
    {"F2", 32786},
    {"PgUp", 32787},
    {"Ctrl+Shift+PgUp", 32750},
    {"PgDown", 32788},
    {"Ctrl+Shift+PgDown", 32751},
    {"Up", 32812},
    {"Down", 32813},
    {"Left", 32814},
    {"Right", 32815},
    {"Shift+Up", 32843},
    {"Shift+Down", 32844},
    {"Shift+Left", 32845},
    {"Shift+Right", 32846},
    {"Ctrl+Shift+C", 32847},
    {"Ctrl+Shift+V", 32848},
    {"Ctrl+Shift+Return", 32849},
    {"Ctrl+Up", 32853},
    {"Ctrl+Down", 32854},
    {"Ctrl+Left", 32855},
    {"Ctrl+Right", 32856},
    {"Shift+PgUp", 32857},
    {"Shift+PgDown", 32858},
};

} // namespace

std::span<const Accelerator> accelerators() {
    return kAccelerators;
}

int editOperationCode(int command) {
    for (const auto& [forwarded, code] : kForwarded)
        if (forwarded == command)
            return code;
    return 0;
}

std::span<const int> forwardedCommands() {
    return kForwardedCommands;
}

} // namespace qmx::app
