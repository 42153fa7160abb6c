#include "app/ectapp.h"

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/rs232csection.h"
#include "app/testhome.h"
#include "platform/filelock.h"
#include "support/linesof.h"
#include "support/recorders.h"
#include "text/messages.h"

namespace qmx::app {
namespace {

using qmx::testing::readAll;
using qmx::testing::TestHome;

const std::string kData = "[Data]\nS1058000AABB15\nS9030000FC\n";
const std::string kMaps = "[Config Map]\n8000,8001,8000\nM,0,0\nZ,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x\n"
                          "1,a\n1,b\n";

// Runs `body` in a forked child; true when it returned true there. Limits and a dropped root
// stay in the child.
bool inChild(const std::function<bool()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ConfigurationTest : public ::testing::Test {
protected:
    explicit ConfigurationTest(const std::string& iniExtra = "", const std::string& registry = "")
        : home(iniExtra, registry) {}
    void SetUp() override {
        ASSERT_EQ(app->start(home.places(), kLargeScreen), text::msg::Success);
    }
    text::Status open(const std::string& text, FileLayout layout = FileLayout::Plain) {
        return app->openConfiguration(home.folder.write("c.rcg", text), layout);
    }
    Configuration& configuration() { return app->configuration(); }

    TestHome home;
    std::unique_ptr<CEctApp> app = std::make_unique<CEctApp>();
    qmx::testing::RecordingSink sink;
};

// Each reader's failures come back as their messages (every message: the readers' own tests)
// and leave no document.
TEST_F(ConfigurationTest, ReaderFailuresComeBackAsTheirMessagesAndLeaveNoDocument) {
    const std::pair<std::string, int> cases[] = {
        {"[Machine]\nModel,qx400t\n" + kData + kMaps, text::msg::Success},
        {"[Machine]\nModel,QX400\n" + kData + kMaps, text::msg::MachineTypeDifferent},
        {kMaps, text::msg::DataSectionNotFound},
        {"[Data]\nS1058000AABB150\n" + kMaps, text::msg::SFormatError},
        {kData, text::msg::MapSectionNotFound},
        {kData + "[Free Map]\n8000,8001,8000\nM,0,0\nZ,0,1,x\n", text::msg::FreeMapFormatError},
    };
    for (const auto& [text, result] : cases) {
        EXPECT_EQ(open(text), result) << text;
        EXPECT_EQ(configuration().lines.count() > 0, result == text::msg::Success) << text;
    }
    EXPECT_EQ(open(kData + kMaps, FileLayout::Packed), text::msg::PackedVersionError);

    const std::string path = home.folder.write("locked.rcg", kData + kMaps);
    platform::FileLock other;
    ASSERT_TRUE(other.lock(path));
    EXPECT_EQ(app->openConfiguration(path, FileLayout::Plain), text::msg::WriteDenied);
}

class MachineNameTest : public ConfigurationTest {
protected:
    MachineNameTest() : ConfigurationTest("", "\"MachineFolder\"=\"M\xC3\x9CLLER\"\r\n") {}
};

TEST_F(MachineNameTest, NamesCompareAsTextWhateverTheirEncoding) {
    EXPECT_EQ(open("[Machine]\nModel,M\xDCLLER\n" + kData + kMaps), text::msg::Success); // 1252
    EXPECT_EQ(open("[Machine]\nModel,M\xC3\x9CLLER\n" + kData + kMaps), text::msg::Success);
    EXPECT_EQ(open("[Machine]\nModel,MULLER\n" + kData + kMaps), text::msg::MachineTypeDifferent);
}

// Section and key names in any case, values that are not listed leave the setting, and
// CommPort counts only while no port is chosen.
TEST(Rs232c, ListedValuesOverrideAndCommPortOnlyWithoutAPort) {
    using qmx::testing::linesOf;
    const LineIndexes start{3, 1, 0, 0, 0, -1};
    const std::tuple<std::vector<std::string>, LineIndexes, LineIndexes, std::int32_t> cases[] = {
        {{"[rs232c]", " speed = 9600", "DATA=7", "parity=even", "Stop=1.5", "x=no",
          "CommandRetrycount=0", "CommPort=port12"},
         start,
         {4, 0, 2, 1, 1, 11},
         0},
        {{"[RS232C]", "Speed=38400", "Data=9", "Parity=MARK", "Stop=3", "X=maybe",
          "CommandRetrycount=-1", "CommPort=COM3"},
         start,
         start,
         5},
        {{"[RS232C]", "CommPort=PORT5"}, {3, 1, 0, 0, 0, 2}, {3, 1, 0, 0, 0, 2}, 5},
        {{"[Other]", "Speed=600", "[RS232C]", "Data=7"}, start, {3, 0, 0, 0, 0, -1}, 5},
    };
    for (const auto& [texts, before, after, retryAfter] : cases) {
        LineIndexes line = before;
        std::int32_t retry = 5;
        applyRs232cSection(linesOf(texts), line, retry);
        EXPECT_EQ(line, after) << texts[1];
        EXPECT_EQ(retry, retryAfter) << texts[1];
    }
}

TEST_F(ConfigurationTest, EachOpenStartsFromTheStartupLineSettings) {
    ASSERT_EQ(open(kData + kMaps + "[RS232C]\nSpeed=600\nCommandRetrycount=7\n"),
              text::msg::Success);
    EXPECT_EQ(configuration().line.baud, 0);
    EXPECT_EQ(configuration().commandRetryCount, 7);
    ASSERT_EQ(open(kData + kMaps), text::msg::Success);
    EXPECT_EQ(configuration().line, app->settings().startup.line);
    EXPECT_EQ(configuration().commandRetryCount, app->settings().startup.commandRetryCount);
}

// The peak resident size of this process, in bytes.
std::size_t peakResidentBytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::size_t>(usage.ru_maxrss) * 1024;
}

// A line of 10 MB of commas is passed over as an unusable monitor item, and reading it takes
// a few times its size, not one string per field. The child starts with a peak of what it has.
TEST_F(ConfigurationTest, ALineOfCommasOpensWithinAFewTimesItsSize) {
    constexpr std::size_t kLine = 10 << 20;
    const std::string path = home.folder.write("commas.rcg", kData + kMaps + "[Diag.Com]\n" +
                                                                 std::string(kLine, ',') + "\n");
    EXPECT_TRUE(inChild([&] {
        const std::size_t before = peakResidentBytes();
        const bool opened = app->openConfiguration(path, FileLayout::Plain) == text::msg::Success &&
                            configuration().monitorItems.empty();
        const std::size_t growth = peakResidentBytes() - before;
        std::fprintf(stderr, "peak grew by %zu bytes for a line of %zu\n", growth, kLine);
        return opened && growth < 8 * kLine;
    }));
}

TEST_F(ConfigurationTest, OpenFileIsLockedUntilClosedUnlessXorOff) {
    ASSERT_EQ(open(kData + kMaps), text::msg::Success);
    const std::string path = configuration().path;
    EXPECT_TRUE(platform::isWriteLockedByOther(path));
    ASSERT_EQ(app->save(sink), text::msg::Success);
    EXPECT_TRUE(platform::isWriteLockedByOther(path));
    app->closeConfiguration();
    EXPECT_FALSE(platform::isWriteLockedByOther(path));
    EXPECT_FALSE(configuration().isOpen());

    TestHome noLock("", "\"XOROFF\"=dword:00000001\r\n");
    ASSERT_EQ(app->start(noLock.places(), kLargeScreen), text::msg::Success);
    ASSERT_EQ(app->openConfiguration(path, FileLayout::Plain), text::msg::Success);
    EXPECT_FALSE(platform::isWriteLockedByOther(path));
}

// Plain files are read once after the packed reader fails. Every uninterpreted line stays in
// place, a second save gives the same bytes, and a packed file read and written comes back
// byte for byte.
TEST_F(ConfigurationTest, SamplesSurviveSaveAndReopen) {
    for (const char* name : {"sample.rcg", "boost.rcg", "sample.rcz", "boost.rcz"}) {
        const std::string path = home.sample(name);
        const std::string original = readAll(path);
        ASSERT_EQ(app->openConfiguration(path, FileLayout::PackedThenPlain), 0) << name;
        const std::vector<std::string> before = configuration().lines.lines();
        if (!configuration().loadedFromPacked) {
            EXPECT_EQ(before.size(), std::count(original.begin(), original.end(), '\n')) << name;
        }
        ASSERT_EQ(app->save(sink), text::msg::Success) << name;
        const std::string first = readAll(path);
        ASSERT_EQ(app->openConfiguration(path, FileLayout::PackedThenPlain), 0) << name;
        const std::vector<std::string> after = configuration().lines.lines();
        ASSERT_EQ(app->save(sink), text::msg::Success) << name;
        EXPECT_EQ(readAll(path), first) << name;
        if (configuration().loadedFromPacked) {
            EXPECT_EQ(first, original) << name;
        }
        // Every line but the data records, line for line the same.
        ASSERT_EQ(before.size(), after.size()) << name;
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (!before[i].starts_with("S1")) {
                EXPECT_EQ(before[i], after[i]) << name << " line " << i;
            }
        }
    }
}

// Save As writes packed and later saves stay packed; the checksum fix marks the document
// modified only when the byte changes, and a failed save keeps the flag.
TEST_F(ConfigurationTest, SaveAsAndTheChecksumFix) {
    ASSERT_EQ(open("[Title]\nT\n" + kData + kMaps), text::msg::Success);
    const std::string nowhere = home.folder.file("no/such/folder.rcz");
    EXPECT_EQ(app->saveAs(nowhere, sink), text::msg::SaveError); // fixes 8001 from BB
    EXPECT_TRUE(configuration().modified);
    EXPECT_EQ(configuration().path, home.folder.file("c.rcg"));
    const std::string packed = home.folder.file("new.rcz");
    ASSERT_EQ(app->saveAs(packed, sink), text::msg::Success);
    EXPECT_EQ(configuration().title, "new.rcz");
    EXPECT_TRUE(configuration().loadedFromPacked);
    EXPECT_EQ(app->saveAs(nowhere, sink), text::msg::SaveError);
    EXPECT_FALSE(configuration().modified);
    configuration().maps.writeY(configuration().maps.at(0), 7, 0, 0);
    ASSERT_EQ(app->save(sink), text::msg::Success);
    EXPECT_FALSE(configuration().modified);
    ASSERT_EQ(app->openConfiguration(packed, FileLayout::Packed), text::msg::Success);
    EXPECT_EQ(configuration().image.byte(0x8000), 7);
    EXPECT_EQ(configuration().image.byte(0x8001), (0x7F - 7) & 0xFF);
}

// The checksum byte at the end of [Data] is here the column count of a free map: after a save
// the open document shows the map as the saved file opens it, not at its old place.
TEST_F(ConfigurationTest, SaveLaysFreeMapsOutAgainWhenTheChecksumChangesACount) {
    ASSERT_EQ(open("[Data]\nS1058000020375\nS9030000FC\n[Free Map]\n8000,8100,8000\nA,0,0\n"
                   "Z,0,1,x,x\nX,0,1,x,x\nY,0,1,x,x\n"),
              text::msg::Success);
    ASSERT_EQ(configuration().maps.at(0).columns(), 3);
    const std::string saved = home.folder.file("saved.rcz");
    ASSERT_EQ(app->saveAs(saved, sink), text::msg::Success);
    const auto layout = [&] {
        const maps::Map& map = configuration().maps.at(0);
        return std::tuple(map.rows(), map.columns(), map.y.count, map.x.address, map.y.address);
    };
    const auto afterSave = layout();
    EXPECT_EQ(afterSave, std::tuple(2, 0x7D, 2 * 0x7D, 0x8004, 0x8004 + 0x7D));
    ASSERT_EQ(app->openConfiguration(saved, FileLayout::Packed), text::msg::Success);
    EXPECT_EQ(layout(), afterSave);
}

// A save that fails for any reason leaves the old file byte for byte.
TEST_F(ConfigurationTest, FailedSavesLeaveTheOldFile) {
    std::filesystem::create_directory(home.folder.file("ro"));
    const std::string path = home.folder.write("ro/c.rcg", "[Title]\n" + kData + kMaps);
    const std::string old = readAll(path);
    const auto editAndSave = [&](std::unique_ptr<CEctApp>& ectApp) -> text::Status {
        if (const text::Status opened = ectApp->openConfiguration(path, FileLayout::Plain))
            return opened;
        ectApp->configuration().image.setByte(0x8000, 0x11);
        return ectApp->save(sink);
    };

    ::chmod(home.folder.file("ro").c_str(), 0555);
    // Root passes every permission check, so the child gives up root first.
    EXPECT_TRUE(inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return false;
        return editAndSave(app) == text::msg::SaveError;
    }));
    EXPECT_TRUE(readAll(path) == old);
    ::chmod(home.folder.file("ro").c_str(), 0755);

    EXPECT_TRUE(inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{40, 40};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && editAndSave(app) == text::msg::SaveError;
    }));
    EXPECT_TRUE(readAll(path) == old);

    // (A line too long to code: the packed writer's test and the widget test.)

    // Another opener holds the file: refused before anything is written.
    ASSERT_EQ(app->openConfiguration(path, FileLayout::Plain), text::msg::Success);
    configuration().lock.unlock();
    platform::FileLock other;
    ASSERT_TRUE(other.lock(path));
    configuration().image.setByte(0x8000, 0x11);
    EXPECT_EQ(app->save(sink), text::msg::SaveError);
    EXPECT_TRUE(readAll(path) == old);
}

} // namespace
} // namespace qmx::app
