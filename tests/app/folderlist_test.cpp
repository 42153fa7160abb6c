#include "app/folderlist.h"

#include "support/tempfolder.h"
#include "platform/profile.h"

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

TEST(FolderList, ReadsUpToTheFirstNoDir) {
    TempFolder folder;
    const platform::Profile none(folder.write("a.INI", "[RS232C]\nPORT=PORT1\n"));
    EXPECT_TRUE(FolderList::read(none).entries().empty());
    const platform::Profile stopped(
        folder.write("b.INI", storedList({"/a", "C:\\b", "NO_DIR", "/d"})));
    EXPECT_EQ(FolderList::read(stopped).entries(), (Entries{"/a", "C:/b"}));
    const platform::Profile gap(folder.write("c.INI", "[DIRECTORY]\nPATH1=/a\nPATH3=/c\n"));
    EXPECT_EQ(FolderList::read(gap).entries(), (Entries{"/a"}));
}

TEST(FolderList, ChoosingMovesAFolderToTheTopWithoutDuplicates) {
    FolderList list({"/a", "/b", "/c", "/d"});
    list.choose("/c");
    EXPECT_EQ(list.entries(), (Entries{"/c", "/a", "/b", "/d"}));
    list.choose("/e");
    EXPECT_EQ(list.entries(), (Entries{"/e", "/c", "/a", "/b", "/d"}));
}

TEST(FolderList, ANinthFolderPushesTheEighthOut) {
    TempFolder folder;
    const Entries eight{"/1", "/2", "/3", "/4", "/5", "/6", "/7", "/8"};
    platform::Profile file(folder.write("qmx.INI", storedList(eight)));
    FolderList list = FolderList::read(file);
    list.choose("/new");
    ASSERT_TRUE(list.write(file));
    EXPECT_EQ(FolderList::read(file).entries(),
              (Entries{"/new", "/1", "/2", "/3", "/4", "/5", "/6", "/7"}));
}

TEST(FolderList, AShorterListEndsWhereItsEntriesEnd) {
    TempFolder folder;
    // A hand-edited list holding a folder twice shrinks when that folder is chosen; the
    // stale third key must not come back as an entry.
    platform::Profile file(folder.write("qmx.INI", storedList({"/a", "/a", "/b"})));
    FolderList list = FolderList::read(file);
    list.choose("/a");
    ASSERT_TRUE(list.write(file));
    EXPECT_EQ(FolderList::read(file).entries(), (Entries{"/a", "/b"}));
}

} // namespace
} // namespace qmx::app
