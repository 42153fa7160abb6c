#include "platform/fileio.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace qmx::platform {
namespace {

using qmx::testing::readAll;
using qmx::testing::TempFolder;

std::size_t entryCount(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++count;
    return count;
}

// A write through a symlink replaces the file it points to, which keeps its permission bits.
TEST(AtomicWrite, ReplacesTheTargetBehindASymlinkAndKeepsItsPermissionBits) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("real"));
    const std::string real = folder.write("real/qmx.INI", "old");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const std::string link = folder.file("qmx.INI");
    ASSERT_EQ(::symlink("real/qmx.INI", link.c_str()), 0);
    ASSERT_EQ(atomicWriteFile(link, "new contents"), WriteStatus::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readAll(real), "new contents");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entryCount(folder.file("real")), 1u); // no temporary file left
}

// A FIFO without a reader fails at once instead of waiting for one; a folder is refused. Both
// stay what they were. (Writing onto a FIFO with a reader and onto /dev/null: the qmxctl test.)
TEST(AtomicWrite, NeverReplacesWhatIsNotAFile) {
    TempFolder folder;
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(atomicWriteFile(fifo, "text"), WriteStatus::Failed);
    EXPECT_EQ(errno, ENXIO);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));
    const std::string sub = folder.file("sub");
    std::filesystem::create_directory(sub);
    EXPECT_EQ(atomicWriteFile(sub, "text"), WriteStatus::Failed);
    EXPECT_TRUE(std::filesystem::is_directory(sub));
    EXPECT_EQ(entryCount(folder.path()), 2u);
}

// (The lock of an open configuration: the application's open and save tests.)
TEST(ReadFileBytes, RefusesWhatIsNotARegularFile) {
    TempFolder folder;
    const std::string fifo = folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(readFileBytes(fifo)); // returns at once instead of waiting for a writer
    EXPECT_FALSE(readFileBytes(folder.path()));
    errno = 0;
    EXPECT_FALSE(readFileBytes(folder.file("none")));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(readFileBytes(folder.write("a", std::string("x\0y", 3))), std::string("x\0y", 3));
}

} // namespace
} // namespace qmx::platform
