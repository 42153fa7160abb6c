#include "config/plainfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "config/packedfile.h"
#include "support/tempfolder.h"
#include "text/messages.h"

namespace qmx::config {
namespace {

namespace msg = text::msg;

TEST(PlainFile, CrIsIgnoredAndANonEmptyLastLineCounts) {
    testing::TempFolder dir;
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"a\r\nb\rc\n\r\nlast", {"a", "bc", "", "last"}},
        {"x\n\r", {"x"}},
        {"\n", {""}},
        {"", {}},
    };
    for (const auto& [bytes, expected] : cases) {
        CLineList lines;
        ASSERT_EQ(readPlainFile(dir.write("a.rcg", bytes), lines), msg::Success);
        EXPECT_EQ(lines.lines(), expected) << bytes;
    }
    CLineList lines;
    lines.append("[Data]");
    lines.append("");
    std::string out = "old";
    writePlainFile(lines, out);
    EXPECT_EQ(out, "[Data]\r\n\r\n");
}

// Both readers refuse a missing file and a folder, and a file that another opener holds
// write-locked unless told to read it all the same; a read lock does not stop them.
TEST(FileReaders, OpenFailuresAndSharingViolation) {
    using Reader = text::Status (*)(const std::string&, CLineList&, LockedFile);
    testing::TempFolder dir;
    const std::string path = dir.write("held.rcz", "[Title]\n");
    const int other = ::open(path.c_str(), O_RDWR);
    struct flock lock {};
    lock.l_whence = SEEK_SET;
    for (Reader reader : {Reader{readPlainFile}, Reader{readPackedFile}}) {
        CLineList lines;
        const LockedFile refuse = LockedFile::Refuse;
        EXPECT_EQ(reader(dir.file("missing.rcz"), lines, refuse), msg::FailedToOpenFile);
        EXPECT_EQ(reader(dir.file(""), lines, refuse), msg::FailedToOpenFile);
        lock.l_type = F_RDLCK;
        ASSERT_EQ(::fcntl(other, F_OFD_SETLK, &lock), 0);
        EXPECT_NE(reader(path, lines, refuse), msg::WriteDenied);
        lock.l_type = F_WRLCK;
        ASSERT_EQ(::fcntl(other, F_OFD_SETLK, &lock), 0);
        lines.clear();
        EXPECT_EQ(reader(path, lines, refuse), msg::WriteDenied);
        EXPECT_EQ(lines.count(), 0u);
        EXPECT_NE(reader(path, lines, LockedFile::Read), msg::WriteDenied);
    }
    ::close(other);
}

} // namespace
} // namespace qmx::config
