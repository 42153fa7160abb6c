#include "platform/fileio.h"
#include "platform/filelock.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
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

// Runs `body` in a forked child and returns its exit status (the test's verdict lives in
// the child's exit code, so a limit set there never reaches the test process).
int inChild(const std::function<bool()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(AtomicWrite, ReplacesTheTargetAndKeepsItsPermissionBits) {
    TempFolder folder;
    const std::string target = folder.write("a.rcz", "old");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(atomicWriteFile(target, "new contents"), WriteStatus::Written);
    EXPECT_EQ(readAll(target), "new contents");
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entryCount(folder.path()), 1u); // no temporary file left
}

TEST(AtomicWrite, FollowsASymlinkAndKeepsTheLink) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("real"));
    const std::string real = folder.write("real/qmx.INI", "old");
    const std::string link = folder.file("qmx.INI");
    ASSERT_EQ(::symlink("real/qmx.INI", link.c_str()), 0);
    ASSERT_EQ(atomicWriteFile(link, "new"), WriteStatus::Written);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readAll(real), "new");
}

TEST(AtomicWrite, FolderWithoutWriteAccessLeavesTheOldFile) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("ro"));
    const std::string target = folder.write("ro/a.rcz", "old bytes");
    ::chmod(target.c_str(), 0666);
    ::chmod(folder.file("ro").c_str(), 0555);
    // Root passes every permission check, so the child gives up root first.
    const int status = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return false;
        return atomicWriteFile(target, "new bytes") == WriteStatus::Failed;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readAll(target), "old bytes");
    EXPECT_EQ(entryCount(folder.file("ro")), 1u);
}

TEST(AtomicWrite, FileSizeLimitLeavesTheOldFile) {
    TempFolder folder;
    const std::string target = folder.write("a.rcz", "old bytes");
    const int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return false;
        return atomicWriteFile(target, std::string(5000, 'x')) == WriteStatus::Failed &&
               errno == EFBIG;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readAll(target), "old bytes");
    EXPECT_EQ(entryCount(folder.path()), 1u);
}

TEST(AtomicWrite, TargetLockedByAnotherOpenerIsRefusedBeforeWriting) {
    TempFolder folder;
    const std::string target = folder.write("a.rcz", "old");
    FileLock lock;
    ASSERT_TRUE(lock.lock(target));
    EXPECT_EQ(atomicWriteFile(target, "new"), WriteStatus::LockedByOther);
    EXPECT_EQ(readAll(target), "old");
    lock.unlock();
    EXPECT_EQ(atomicWriteFile(target, "new"), WriteStatus::Written);
}

TEST(FileLock, SecondOpenFileDescriptionSeesTheLock) {
    TempFolder folder;
    const std::string path = folder.write("a.rcz", "data");
    EXPECT_FALSE(isWriteLockedByOther(path));

    FileLock first;
    ASSERT_TRUE(first.lock(path));
    EXPECT_TRUE(first.isHeld());
    EXPECT_TRUE(isWriteLockedByOther(path));
    FileLock second;
    EXPECT_FALSE(second.lock(path));
    EXPECT_FALSE(second.isHeld());

    first.unlock();
    EXPECT_FALSE(isWriteLockedByOther(path));
    EXPECT_TRUE(second.lock(path));
}

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
