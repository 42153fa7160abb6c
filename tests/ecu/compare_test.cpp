#include "ecu/compare.h"

#include "config/packedfile.h"
#include "config/srecords.h"
#include "ecu/ecuwrite.h"
#include "maps/maptestutil.h"
#include "support/linesof.h"
#include "support/recorders.h"
#include "support/tempfolder.h"
#include "text/messages.h"
#include "transferrig.h"

#include <gtest/gtest.h>

namespace qmx::ecu::test {
namespace {

using maps::MapKind;
using maps::test::freeMap;
using qmx::testing::linesOf;

// A configuration over 0x8000 .. 0x80FF with constants and one map past them.
struct CompareRig : DocumentRig {
    CompareRig() : DocumentRig(0x8000, 0x80FF) {
        lines = linesOf({"[Individual Information]", "VestraMachineCode,Q4", "[Calib]",
                         "; Address,Byte,Contents,LSB,Offset,Unit,Calc",
                         "8010,1,Idle speed,10,0,rpm,1", "8011,2,Rev limit,1,0,rpm,1",
                         "8013,1,Flow,0.5,0,cc,1", "80FF,2,Past the data,1,0,,1", "[Diag.Com]"});
        image.setByte(0x8010, 5);
        image.setWord(0x8011, 3000);
        maps.add(freeMap(image, 0x8020, 2, 3, MapKind::Shared, "INJ"));
        image.setByte(0x8023, 20);
        image.setByte(0x8028, 5);
    }

    // The edit data and a copy of it with `changes` (address, byte) applied.
    std::pair<DataPane, DataPane> panes(const std::vector<std::pair<int, int>>& changes) {
        DataPane edit;
        loadEditData(document(), edit);
        edit.label = "Edit";
        DataPane other = edit;
        other.label = "ECU";
        for (const auto& [address, value] : changes)
            other.bytes[static_cast<std::size_t>(address - other.start)] =
                static_cast<std::uint8_t>(value);
        return {edit, other};
    }

    // Writes the configuration with its [Data] section from `data` as a packed file.
    std::string packedFile(const config::EcuImage& data,
                           const std::vector<std::string>& extra = {}) {
        config::CLineList file = lines;
        for (const std::string& line : extra)
            file.append(line);
        file.append("[Data]");
        config::regenerateDataSection(file, data);
        std::string out;
        EXPECT_EQ(config::writePackedFile(file, out), 0);
        return folder.write("other.rcz", out);
    }

    qmx::testing::TempFolder folder;
};

TEST(DifferenceListing, NeverReadsOutsideEitherPane) {
    CompareRig rig;
    auto [edit, ecu] = rig.panes({{0x8010, 6}, {0x8028, 9}});
    ecu.bytes.resize(0x20); // ends before the maps
    EXPECT_EQ(differenceListing(rig.document(), edit, ecu),
              "* Label;  Edit  ECU\r\nIdle speed;  50  60\r\n");
    ecu.bytes.resize(0x11); // the word at 0x8011 is cut in two
    EXPECT_EQ(differenceListing(rig.document(), ecu, edit),
              "* Label;  ECU  Edit\r\nIdle speed;  60  50\r\n");
}

TEST(SameMachine, ComparesTheTwoBytesAtTheAddressOfTheFirstLine) {
    const struct {
        const char* what;
        config::CLineList lines;
        bool same;
    } cases[] = {
        {"the code at 0x8000 differs", linesOf({"[Individual Information]", "Code,8000"}), false},
        {"the code at 0x8001 differs", linesOf({"[Individual Information]", "; c", "Code,7FFF"}),
         false},
        {"an address outside the panes", linesOf({"[Individual Information]", "Code,9000"}), true},
        {"an empty section", linesOf({"[Individual Information]", "[Calib]", "Code,8000"}), true},
    };
    DataPane first;
    first.fill(0x8000, {1, 2, 3}, "");
    DataPane second = first;
    second.bytes[0] = 9;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(sameMachine(c.lines, first, second), c.same);
        EXPECT_TRUE(sameMachine(c.lines, first, first));
    }
}

TEST(LoadFileData, FailuresAreShownUnderReadFromFile) {
    CompareRig rig;
    const std::string plain = rig.folder.write("plain.rcg", "[Data]\nS1048000007B\n");
    std::string noData;
    ASSERT_EQ(config::writePackedFile(linesOf({"[Title]", "[Calib]"}), noData), 0);
    const struct {
        const char* what;
        std::string path;
        std::string machineFolder;
        int result;
    } cases[] = {
        {"a plain file", plain, "", text::msg::PackedVersionError},
        {"no [Data] section", rig.folder.write("empty.rcz", noData), "",
         text::msg::FailedToReadFileData},
        {"another machine", rig.packedFile(rig.image, {"[Machine]", "Model,QX"}), "QY",
         text::msg::MachineTypeDifferent},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        qmx::testing::RecordingSink sink;
        DataPane pane;
        pane.fill(0x10, {1}, "kept");
        EXPECT_EQ(loadFileData(c.path, c.machineFolder, pane, sink), c.result);
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].text, text::messageText(c.result));
        EXPECT_EQ(sink.shown[0].caption, "Read From File");
        EXPECT_EQ(pane.title, "kept");
    }
}

} // namespace
} // namespace qmx::ecu::test
