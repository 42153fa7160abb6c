#include "app/menulayout.h"

#include "app/commands.h"

namespace qmx::app {

namespace {

// Drops the items `available` refuses and tidies the separators.
Menu filtered(std::string_view title, std::initializer_list<MenuItem> items,
              const std::function<bool(int)>& available) {
    Menu menu{title, {}};
    for (const MenuItem& item : items) {
        if (item.command == 0) {
            if (!menu.items.empty() && menu.items.back().command != 0)
                menu.items.push_back(item);
        } else if (available(item.command)) {
            menu.items.push_back(item);
        }
    }
    if (!menu.items.empty() && menu.items.back().command == 0)
        menu.items.pop_back();
    return menu;
}

} // namespace

std::vector<Menu> menuBar(const MenuContext& context,
                          const std::function<bool(int command)>& available) {
    std::vector<Menu> menus;
    const auto add = [&](std::string_view title, std::initializer_list<MenuItem> items) {
        Menu menu = filtered(title, items, available);
        if (!menu.items.empty())
            menus.push_back(std::move(menu));
    };
    const MenuItem help{cmd::AppAbout, "&About qmx..."};
    if (!context.documentOpen) {
        add("&File", {{cmd::FileOpen, "&Open\tCtrl+O"},
                      {cmd::Directory, "&Directory..."},
                      {cmd::AppExit, "E&xit\tAlt+F4"}});
        add("&Help", {help});
        return menus;
    }
    const bool monitor = context.monitorItems;
    add("&File", {{cmd::FileOpen, "&Open\tCtrl+O"},
                  {cmd::FileClose, "&Close"},
                  {cmd::FileSaveAs, "&Save as..."},
                  {cmd::Directory, "&Directory..."},
                  {cmd::AppExit, "E&xit\tAlt+F4"}});
    add("&Edit", {{cmd::EditUndo, "&Undo\tCtrl+Z"},
                  {cmd::EditCopy, "&Copy\tCtrl+C"},
                  {cmd::EditPaste, "&Paste\tCtrl+V"}});
    if (monitor)
        add("&Monitor", {{cmd::Monitor, "&Monitor...\tCtrl+M"},
                         {cmd::ItemSet, "&Item set..."},
                         {0, {}},
                         {cmd::MonitorStart, "St&art"},
                         {cmd::MonitorStop, "St&op"},
                         {0, {}},
                         {cmd::MonitorRecord, "&Record..."}});
    add("&Tool", {{cmd::ComPort, "&Com..."},
                  {cmd::Title, "&Title..."},
                  {cmd::EditConst, "&Edit Const..."},
                  {cmd::ReadEcu, "&Read from ECU"},
                  {cmd::WriteEcu, "&Write to ECU"},
                  {cmd::DataCompare, "&Data Compare"},
                  {cmd::MultiMap, "&Multi Map..."}});
    if (monitor)
        add("&Window",
            {{cmd::AllLines, "&All\tAlt+A"}, {0, {}}, {cmd::MonitorDialog, "&Monitor Dialog"}});
    else
        add("&Window", {{cmd::AllLines, "&All\tAlt+A"}});
    add("&Help", {help});
    return menus;
}

} // namespace qmx::app
