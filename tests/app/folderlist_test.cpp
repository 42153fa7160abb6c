#include "app/folderlist.h"

#include "platform/profile.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace qmx::app {
namespace {

using qmx::testing::TempFolder;
using Entries = std::vector<std::string>;

std::string storedList(const Entries& entries) {
    std::string text = "[DIRECTORY]\n";
    for (std::size_t i = 0; i < entries.size(); ++i)
        text += "PATH" + std::to_string(i + 1) + "=" + entries[i] + "\n";
    return text;
}

// The list as qmx.INI holds it: read up to the first NO_DIR or gap, the chosen folder on top
// without duplicates, eight at most.
TEST(FolderList, ReadChooseAndWriteBack) {
    TempFolder folder;
    const std::pair<std::string, Entries> stored[] = {
        {"[RS232C]\nPORT=PORT1\n", {}},
        {storedList({"/a", "C:\\b", "NO_DIR", "/d"}), {"/a", "C:/b"}},
        {"[DIRECTORY]\nPATH1=/a\nPATH3=/c\n", {"/a"}},
    };
    for (const auto& [text, entries] : stored)
        EXPECT_EQ(FolderList::read(platform::Profile(folder.write("a.INI", text))).entries(),
                  entries);

    platform::Profile file(
        folder.write("qmx.INI", storedList({"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"})));
    FolderList list = FolderList::read(file);
    list.choose("/3");
    list.choose("/new");
    ASSERT_TRUE(list.write(file));
    EXPECT_EQ(FolderList::read(file).entries(),
              (Entries{"/new", "/3", "/1", "/2", "/4", "/5", "/6", "/7"}));

    // A hand-edited list holding a folder twice shrinks when that folder is chosen; the
    // stale third key must not come back as an entry.
    file = platform::Profile(folder.write("qmx.INI", storedList({"/a", "/a", "/b"})));
    list = FolderList::read(file);
    list.choose("/a");
    ASSERT_TRUE(list.write(file));
    EXPECT_EQ(FolderList::read(file).entries(), (Entries{"/a", "/b"}));
}

} // namespace
} // namespace qmx::app
