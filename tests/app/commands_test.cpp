#include "app/accelerators.h"
#include "app/commands.h"
#include "app/menulayout.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

// The enabling rules, the forwarded key codes and the menu texts are shown through the real
// frame by the widget tests; here only what those cannot see.
namespace qmx::app {
namespace {

TEST(Accelerators, EachKeyIsBoundOnce) {
    std::set<std::string_view> seen;
    for (const Accelerator& a : accelerators())
        EXPECT_TRUE(seen.insert(a.keys).second) << a.keys;
}

TEST(MenuLayout, UnavailableCommandsAreLeftOutWithTheirSeparatorsAndEmptyMenus) {
    const auto available = [](int command) {
        return !std::set<int>{cmd::MonitorDialog, cmd::Monitor,     cmd::ItemSet,
                              cmd::MonitorStart,  cmd::MonitorStop, cmd::MonitorRecord,
                              cmd::ComPort}
                    .count(command);
    };
    std::vector<std::string> menus;
    for (const Menu& menu : menuBar({.documentOpen = true, .monitorItems = true}, available)) {
        menus.emplace_back(menu.title);
        for (const MenuItem& item : menu.items)
            menus.back() += " " + (item.command ? std::string(item.text) : "-");
    }
    EXPECT_EQ(menus, (std::vector<std::string>{
                         "&File &Open\tCtrl+O &Close &Save as... &Directory... E&xit\tAlt+F4",
                         "&Edit &Undo\tCtrl+Z &Copy\tCtrl+C &Paste\tCtrl+V",
                         "&Tool &Title... &Edit Const... &Read from ECU &Write to ECU &Data "
                         "Compare &Multi Map...",
                         "&Window &All\tAlt+A", "&Help &About qmx..."}));
}

} // namespace
} // namespace qmx::app
