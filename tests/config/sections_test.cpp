#include "config/diagcom.h"
#include "config/individualinfo.h"

#include <gtest/gtest.h>

#include "support/linesof.h"

namespace qmx::config {
namespace {

using qmx::testing::linesOf;

TEST(DiagCom, TakesOnlyWellFormedItemsInFileOrder) {
    const CLineList lines = linesOf({
        "[diag.com]",
        "; comment",
        "1,10,Engine speed,rpm,2,1,0",
        "2,100,Too big,x,1,1,0",    // request above FF
        "3,1G,Not hex,x,1,1,0",     // request not hexadecimal
        "4,12,Three bytes,x,3,1,0", // answer length 3
        "5,13,Empty unit,,1,1,0",   // empty field
        "6,14,Short,x,1,1",         // six fields
        "7,2C,Coolant, degC ,1,0.5,-40",
        "[Calib]",
        "8,15,After section,x,1,1,0",
    });
    const auto items = readDiagComSection(lines);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "Engine speed");
    EXPECT_EQ(items[1].request, 0x2C);
    EXPECT_EQ(items[1].unit, "degC"); // trimmed
}

TEST(MachineCode, FirstMatchingLineWins) {
    const CLineList lines =
        linesOf({"[Individual Information]", "vestramachinecode,ZZ", "VestraMachineCode,Q",
                 "VestraMachineCode,Q4x", "VestraMachineCode,AB"});
    EXPECT_EQ(readMachineCode(lines), "Q4");
    EXPECT_FALSE(readMachineCode(linesOf({"[Title]", "VestraMachineCode,AB"})));
}

} // namespace
} // namespace qmx::config
