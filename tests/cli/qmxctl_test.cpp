#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/testhome.h"
#include "platform/filelock.h"
#include "support/ecusimprocess.h"

namespace qmx::cli {
namespace {

using qmx::testing::readAll;
using qmx::testing::TestHome;

// Each test in a home of its own, with qmxctl run on copies of the samples.
class QmxctlTest : public ::testing::Test {
protected:
    // Runs qmxctl --home HOME `args`.
    testing::ProgramRun qmxctl(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", home.folder.path()});
        return testing::runProgram(QMXCTL_PATH, args);
    }
    // The export of `config` without its first line (the time).
    std::string exportWithoutTime(const std::string& config) {
        const testing::ProgramRun run = qmxctl({"export", config, "-"});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out.substr(std::min(run.out.find('\n') + 1, run.out.size()));
    }

    TestHome home;
};

TEST_F(QmxctlTest, InfoSummarisesTheConfiguration) {
    const testing::ProgramRun run = qmxctl({"--port", "3", "info", home.sample("sample.rcz")});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* expected :
         {"(packed)", "Data: 8000-82FF", "Machine code: Q4",
          "Serial: 19200 baud, 8 data bits, parity none, stop bits 1, XON/XOFF off, port COM3, "
          "command retry count 2",
          "INJ1: kind 1 (free map), 8 x 8, Z 8102, X 810A, Y 8112 (64 bytes)",
          "IGN: kind 2 (free map, X per line), 4 x 6", "Map link: INJ1 INJ2 INJ3 INJ4",
          "Rev limit = 6500 rpm [8011, word]", "Calibration version = 35 [8019, byte, read-only]",
          "14 Injection time (ms, 2 bytes, gain 0.01, offset 0)"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
}

TEST_F(QmxctlTest, ExportAndSaveReproduceTheBundledFiles) {
    for (const std::string name : {"sample", "boost"}) {
        const std::string golden = readAll(std::string(TEST_DATA_DIR) + "/app/" + name + ".export");
        EXPECT_EQ(exportWithoutTime(home.sample(name + ".rcg")),
                  golden.substr(golden.find('\n') + 1));
        const std::string out = home.folder.file(name + ".txt");
        ASSERT_EQ(qmxctl({"export", home.sample(name + ".rcz"), out}).status, 0);
        EXPECT_NE(readAll(out).find("\r\n[end]\r\n"), std::string::npos);

        const std::string packed = home.folder.file(name + "-new.rcz");
        const testing::ProgramRun save =
            qmxctl({"save", home.sample(name + ".rcg"), "--as", packed});
        ASSERT_EQ(save.status, 0) << save.err;
        EXPECT_TRUE(readAll(packed) == readAll(std::string(SAMPLES_DIR) + "/" + name + ".rcz"));
    }
}

// Records whose checksum no longer fits their data still load; the open names the first.
TEST_F(QmxctlTest, InfoNamesDamagedDataRecords) {
    std::string text = readAll(std::string(SAMPLES_DIR) + "/sample.rcg");
    for (const char* record : {"S1138010501964C8F601F4", "S1138020000000000000"}) {
        const std::size_t at = text.find(record);
        ASSERT_NE(at, std::string::npos);
        text[at + 10] = '7';
    }
    const testing::ProgramRun run = qmxctl({"info", home.folder.write("damaged.rcg", text)});
    EXPECT_EQ(run.err, "Checksum of S-format in [Data] section is in error in 2 record(s); the "
                       "first is in line 22 (address 8010).\n");
    EXPECT_NE(run.out.find("Data: 8000-82FF"), std::string::npos);
}

// An export and an info only read: a configuration that qmx holds open exports and shows. The
// export's target is written in place when it is a FIFO or a device, which stay what they were.
TEST_F(QmxctlTest, ExportAndInfoReadAHeldFileAndExportWritesDevicesInPlace) {
    const std::string config = home.sample("sample.rcz");
    platform::FileLock editor;
    ASSERT_TRUE(editor.lock(config));
    const testing::ProgramRun toStdout = qmxctl({"export", config, "-"});
    EXPECT_EQ(toStdout.status, 0) << toStdout.err;
    EXPECT_EQ(qmxctl({"info", config}).err, "");
    EXPECT_EQ(qmxctl({"save", config}).err, "This file is write-denied by other process.\n");

    const std::string fifo = home.folder.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    const testing::ProgramRun toFifo = qmxctl({"export", config, fifo});
    EXPECT_EQ(toFifo.status, 0) << toFifo.err;
    std::string received(1 << 16, '\0');
    const ssize_t got = ::read(reader, received.data(), received.size());
    ::close(reader);
    received.resize(static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    EXPECT_EQ(received.substr(received.find('\n')), toStdout.out.substr(toStdout.out.find('\n')));
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    if (::access("/dev/null", W_OK) == 0) {
        EXPECT_EQ(qmxctl({"export", config, "/dev/null"}).status, 0);
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    }
}

TEST_F(QmxctlTest, SetCommitsThroughTheEditorRulesAndSaves) {
    const std::string config = home.sample("sample.rcz");
    const testing::ProgramRun run =
        qmxctl({"set",    config, "--map", "INJ1",  "--cell",  "0,0",        "12.34",
                "--cell", "1,0",  "99",    "--map", "IGN",     "--z",        "0",
                "50",     "--x",  "0,1",   "-3",    "--const", "Idle speed", "1234"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "Input Data Range Over:99.00 \n (0.50<=Data<=24.00)\n set 24.00\n"
                       "Input Data Range Over:-3.00 \n (0.00<=Data<=12750.00)\n set 0.00\n");
    const std::string text = exportWithoutTime(config);
    // Linked maps received the cell values; the Z value stays below its neighbour.
    for (const char* map : {"INJ1", "INJ2", "INJ3", "INJ4"}) {
        const std::size_t table = text.find(std::string("\r\n") + map + ",0.0,");
        EXPECT_EQ(text.substr(text.find("\r\n", table + 2) + 2, 16), "800.0,12.3,24.0,") << map;
    }
    EXPECT_NE(text.find("FMDataZ,39.5\r\n"), std::string::npos);
    EXPECT_NE(text.find("FMDataZ,40.0\r\n0.0,7.0\r\n"), std::string::npos);
    EXPECT_NE(text.find("Idle speed,LSB,10,Offset,0,Unit,rpm,Calc,1,Value,1230\r\n"),
              std::string::npos);
}

TEST_F(QmxctlTest, SetStoresStepValuesAsTyped) {
    const std::string config = home.sample("boost.rcz");
    const testing::ProgramRun run = qmxctl({"set", config, "--map", "BOOST", "--cell", "0,1",
                                            "0.20", "--map", "LAMBDA", "--cell", "0,0", "0.9"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string text = exportWithoutTime(config);
    EXPECT_NE(text.find("\r\n1500.0,0.20,"), std::string::npos);
    EXPECT_NE(text.find("\r\nIdle,0.900,"), std::string::npos);
}

TEST_F(QmxctlTest, FailuresPrintTheProgramsMessageAndLeaveTheFile) {
    const std::string config = home.sample("sample.rcz");
    const std::string before = readAll(config);
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"set", config, "--map", "INJ1", "--cell", "0,0", "1.5", "--cell", "0,1", "abc"},
         "Data error\nData is set as before editing\n"},
        {{"set", config, "--const", "Calibration version", "3"}, "A value cannot be edited.\n"},
        {{"set", config, "--const", "Idle speed", "9x"}, "Including wrong word\n"},
        {{"set", config, "--map", "INJ1", "--cell", "8,0", "1"},
         "qmxctl: map \"INJ1\" has no such cell\n"},
        {{"info", home.folder.file("missing.rcz")}, "Failed to open file\n"},
        {{"save", config, "--as", home.folder.file("no/folder.rcz")},
         "ConfigurationFile Save Error!\n"},
    };
    for (const Case& c : cases) {
        const testing::ProgramRun run = qmxctl(c.args);
        EXPECT_NE(run.status, 0) << c.args[1];
        EXPECT_EQ(run.err, c.err);
        EXPECT_TRUE(readAll(config) == before);
    }
    EXPECT_NE(qmxctl({}).status, 0);

    std::filesystem::remove(home.folder.file("ini/qmx.INI"));
    const testing::ProgramRun missing = qmxctl({"info", config});
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(missing.err, "qmx.ini is not exist.\nFolder searched: " + home.folder.file("ini") +
                               "/\n(Install Directory + InitializeFolder of " +
                               home.folder.file("registry.reg") + ")\n");
}

} // namespace
} // namespace qmx::cli
