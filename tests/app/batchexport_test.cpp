#include "app/batchexport.h"

#include <gtest/gtest.h>

#include "app/ectapp.h"
#include "app/testhome.h"
#include "maps/maptestutil.h"
#include "text/messages.h"

namespace qmx::app {
namespace {

using qmx::testing::readAll;
using qmx::testing::TestHome;

class BatchExportTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(app->start(home.places(), kLargeScreen), text::msg::Success);
    }
    TestHome home;
    std::unique_ptr<CEctApp> app = std::make_unique<CEctApp>();
};

// The export text itself is compared with the golden files by the qmxctl tests.
TEST_F(BatchExportTest, BatchRunShowsItsFailureOnceAndReportsItInTheExitStatus) {
    const std::string sample = home.sample("sample.rcg");
    const std::string noMaps = home.folder.write("nomaps.rcg", "[Data]\nS1058000AABB15\n");
    struct Case {
        std::string in, out;
        int status;
        int message;
        text::Icon icon;
    };
    const Case cases[] = {
        {sample, home.folder.file("out.txt"), 0, 0, text::Icon::None},
        {noMaps, home.folder.file("x.txt"), 1, text::msg::MapSectionNotFound, text::Icon::Error},
        {sample, home.folder.file("no/folder/x.txt"), 1, text::msg::FailedToWriteFile,
         text::Icon::Exclamation},
    };
    for (const Case& c : cases) {
        maps::test::RecordingSink sink;
        EXPECT_EQ(runBatchExport(*app, c.in, c.out, sink), c.status) << c.in;
        if (c.status == 0) {
            EXPECT_TRUE(sink.shown.empty());
            EXPECT_NE(readAll(c.out).find("\r\n[end]\r\n"), std::string::npos);
            continue;
        }
        EXPECT_EQ(sink.shown,
                  std::vector<std::string>{"QMX|" + std::string(text::messageText(c.message)) +
                                           "|" + std::to_string(int(c.icon))});
    }
}

} // namespace
} // namespace qmx::app
