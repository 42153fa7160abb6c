#include "app/batchexport.h"

#include <fstream>

#include <gtest/gtest.h>

#include "app/ectapp.h"
#include "app/messages.h"
#include "app/testhome.h"

namespace qmx::app {
namespace {

using qmx::testing::readAll;
using qmx::testing::TestHome;

// The lines of `text`, each ended by CR LF.
std::vector<std::string> splitCrLf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
         start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class BatchExportTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(app->start(home.places(), kLargeScreen), msg::Success); }
    TestHome home;
    std::unique_ptr<CEctApp> app = std::make_unique<CEctApp>();
};

// The whole export of both samples against the files in tests/data/app; a mismatch leaves
// the actual text beside the expected one.
TEST_F(BatchExportTest, SamplesExportAsTheGoldenFiles) {
    std::tm when{};
    when.tm_year = 124; // 2024-03-05 14:07:09
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_hour = 14;
    when.tm_min = 7;
    when.tm_sec = 9;
    for (const std::string name : {"sample", "boost"}) {
        ASSERT_EQ(app->openConfiguration(home.sample(name + ".rcz"), FileLayout::Packed), 0);
        const std::string text = exportText(app->configuration(), app->formats(), when);
        const std::string golden = std::string(TEST_DATA_DIR) + "/app/" + name + ".export";
        const bool same = text == readAll(golden);
        if (!same)
            std::ofstream(golden + ".actual", std::ios::binary) << text;
        EXPECT_TRUE(same) << "see " << golden << ".actual";
    }
}

TEST_F(BatchExportTest, SharedXTableHasTheLinesAsColumnsAndEndsWithoutCalib) {
    const std::string config =
        "[Data]\nS118800003040203040A141E280102030405060708090A0B0CA5\nS9030000FC\n"
        "[Free Map]\n8000,8100,8000\nM,0,0\nZ,0,9,x,x\nX,0,9,x,x\n"
        "Y,0,9,x,x\n";
    ASSERT_EQ(app->openConfiguration(home.folder.write("c.rcg", config), FileLayout::Plain), 0);
    const std::vector<std::string> lines = splitCrLf(exportText(app->configuration(), {}, {}));
    ASSERT_EQ(lines.size(), 2u + 11u + 5u + 3u);
    EXPECT_EQ(lines[12], "FMXCnt,4");
    EXPECT_EQ(lines[13], "M,2.0,3.0,4.0"); // 3 lines: 4 fields
    for (std::size_t i = 14; i < 18; ++i)
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), 3) << lines[i];
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"[Calib]", "[Fixed]", "[end]"}));
}

TEST_F(BatchExportTest, BatchRunShowsItsFailureOnceAndReportsItInTheExitStatus) {
    struct Sink : MessageSink {
        Answer show(std::string_view text, std::string_view caption, Icon icon, Buttons) override {
            shown.push_back({std::string(text), std::string(caption), icon});
            return Answer::Ok;
        }
        struct Shown {
            std::string text, caption;
            Icon icon;
        };
        std::vector<Shown> shown;
    };
    const std::string sample = home.sample("sample.rcg");
    const std::string noMaps = home.folder.write("nomaps.rcg", "[Data]\nS1058000AABB15\n");
    struct Case {
        std::string in, out;
        int status;
        int message;
        Icon icon;
    };
    const Case cases[] = {
        {sample, home.folder.file("out.txt"), 0, 0, Icon::None},
        {home.folder.file("missing.rcz"), home.folder.file("x.txt"), 1, msg::FailedToOpenFile,
         Icon::Exclamation},
        {noMaps, home.folder.file("x.txt"), 1, msg::MapSectionNotFound, Icon::Error},
        {sample, home.folder.file("no/folder/x.txt"), 1, msg::FailedToWriteFile, Icon::Exclamation},
    };
    for (const Case& c : cases) {
        Sink sink;
        EXPECT_EQ(runBatchExport(*app, c.in, c.out, sink), c.status) << c.in;
        if (c.status == 0) {
            EXPECT_TRUE(sink.shown.empty());
            EXPECT_NE(readAll(c.out).find("\r\n[end]\r\n"), std::string::npos);
            continue;
        }
        ASSERT_EQ(sink.shown.size(), 1u) << c.in;
        EXPECT_EQ(sink.shown[0].text, messageText(c.message));
        EXPECT_EQ(sink.shown[0].caption, "QMX");
        EXPECT_EQ(sink.shown[0].icon, c.icon);
    }
}

} // namespace
} // namespace qmx::app
