#pragma once

#include <functional>
#include <string_view>
#include <vector>

// The menu bars of the main frame: which menus and items show, in which order, with which
// texts. The text after a TAB names the item's key.
namespace qmx::app {

struct MenuItem {
    int command = 0; // 0: a separator
    std::string_view text;
};

struct Menu {
    std::string_view title;
    std::vector<MenuItem> items;
};

struct MenuContext {
    bool documentOpen = false; // the bar with the document menus
    bool monitorItems = false; // the open configuration has monitor items
    bool operator==(const MenuContext&) const = default;
};

// The menus for `context`. Without a document: File and Help. With one: File, Edit, Tool,
// Window and Help, and, when the configuration has monitor items, the Monitor menu before the
// last three (the window and item commands, Start and Stop, the recording) and
// "&Monitor Dialog" after a separator at the end of the Window menu.
// Items whose command `available` refuses are left out, with separators that would then lead,
// trail or double, and menus left empty.
std::vector<Menu> menuBar(const MenuContext& context,
                          const std::function<bool(int command)>& available);

} // namespace qmx::app
