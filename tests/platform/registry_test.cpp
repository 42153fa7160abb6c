#include "platform/registry.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

namespace qmx::platform {
namespace {

using qmx::testing::readAll;
using qmx::testing::TempFolder;

const char* const kExport = "Windows Registry Editor Version 5.00\r\n"
                            "\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\r\n"
                            "\"ReadEcuNum\"=dword:0000001e\r\n"
                            "\"EcuCheckResult\"=hex:4b,44,\\\r\n"
                            "  00\r\n"
                            "\"Install Directory\"=\"C:\\\\Tools \\\"QMX\\\"\"\r\n"
                            "\"CommoLog\"=hex(2):43,00\r\n"
                            "\"XOROFF\"=dword:xyz\r\n"
                            "\r\n"
                            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX\\Sub]\r\n"
                            "\"MachineName\"=\"other key\"\r\n";

TEST(Registry, MissingFileMeansTheKeyCannotBeOpened) {
    TempFolder folder;
    Registry registry;
    EXPECT_FALSE(registry.load(folder.file("registry.reg")));
    EXPECT_FALSE(registry.isOpen());
    EXPECT_EQ(registry.find("ReadEcuNum"), nullptr);
    EXPECT_EQ(registry.setDword("Rs232cPort", 3), -1);
    EXPECT_FALSE(std::filesystem::exists(folder.file("registry.reg")));
}

TEST(Registry, ValuesKeepTheirTypes) {
    TempFolder folder;
    Registry registry;
    ASSERT_TRUE(registry.load(folder.write("registry.reg", kExport)));
    EXPECT_EQ(registry.dword("readecunum"), 30u);
    EXPECT_EQ(registry.binary("EcuCheckResult"), (std::vector<std::uint8_t>{0x4b, 0x44, 0x00}));
    EXPECT_EQ(registry.text("Install Directory"), "C:\\Tools \"QMX\"");

    // Asking for another type than the value has gives nothing.
    EXPECT_FALSE(registry.text("ReadEcuNum"));
    EXPECT_FALSE(registry.dword("EcuCheckResult"));
    EXPECT_FALSE(registry.binary("Install Directory"));
    // Types the program does not use, and malformed data, are present but never read.
    ASSERT_NE(registry.find("CommoLog"), nullptr);
    EXPECT_EQ(registry.find("CommoLog")->type, RegType::Other);
    EXPECT_FALSE(registry.dword("XOROFF"));
    // Values under another key are not the program's.
    EXPECT_EQ(registry.find("MachineName"), nullptr);
}

TEST(Registry, SetDwordReplacesOnlyThatValue) {
    TempFolder folder;
    const std::string path = folder.write("registry.reg", kExport);
    Registry registry;
    ASSERT_TRUE(registry.load(path));
    // A value of another type becomes a DWORD; its continuation line goes with it.
    ASSERT_EQ(registry.setDword("ECUCHECKRESULT", 0x1234), 0);
    const std::string_view old = "\"EcuCheckResult\"=hex:4b,44,\\\r\n  00";
    std::string expected = kExport;
    expected.replace(expected.find(old), old.size(), "\"ECUCHECKRESULT\"=dword:00001234");
    EXPECT_EQ(readAll(path), expected);
    EXPECT_EQ(registry.dword("EcuCheckResult"), 0x1234u);
}

TEST(Registry, SetDwordAddsANewValueToTheProgramsKey) {
    TempFolder folder;
    const std::string path = folder.write("registry.reg", kExport);
    Registry registry;
    ASSERT_TRUE(registry.load(path));
    ASSERT_EQ(registry.setDword("Rs232cPortAutoSelect", 0), 0);
    std::string expected = kExport;
    expected.insert(expected.find("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX\\Sub]"),
                    "\"Rs232cPortAutoSelect\"=dword:00000000\r\n");
    EXPECT_EQ(readAll(path), expected);

    Registry reread;
    ASSERT_TRUE(reread.load(path));
    EXPECT_EQ(reread.dword("Rs232cPortAutoSelect"), 0u);
    EXPECT_EQ(reread.dword("ReadEcuNum"), 30u);
}

TEST(Registry, SetDwordOnAFileWithOnlyOtherKeysStartsTheProgramsKey) {
    TempFolder folder;
    const std::string path =
        folder.write("registry.reg", "REGEDIT4\n\n[HKEY_CURRENT_USER\\Other]\n\"A\"=\"b\"\n");
    Registry registry;
    ASSERT_TRUE(registry.load(path));
    EXPECT_EQ(registry.find("A"), nullptr);
    ASSERT_EQ(registry.setDword("Rs232cPort", 2), 0);
    EXPECT_EQ(readAll(path),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Other]\n\"A\"=\"b\"\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n\"Rs232cPort\"=dword:00000002\n");
}

} // namespace
} // namespace qmx::platform
