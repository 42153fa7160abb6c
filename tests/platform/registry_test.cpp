#include "platform/registry.h"
#include "platform/textencoding.h"

#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <tuple>

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

// A value of another type becomes a DWORD (its continuation line goes with it); a new value
// starts the program's key when the file has only other keys. (A new value at the end of the
// key: the Unicode export below.)
TEST(Registry, SetDwordChangesOnlyItsLine) {
    const std::string other = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Other]\n\"A\"=\"b\"\n";
    std::string replaced = kExport;
    const std::string_view old = "\"EcuCheckResult\"=hex:4b,44,\\\r\n  00";
    replaced.replace(replaced.find(old), old.size(), "\"ECUCHECKRESULT\"=dword:00001234");
    const std::tuple<std::string, const char*, std::uint32_t, std::string> cases[] = {
        {kExport, "ECUCHECKRESULT", 0x1234, replaced},
        {other, "Rs232cPort", 2,
         other + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n\"Rs232cPort\"=dword:00000002\n"},
    };
    for (const auto& [before, name, value, after] : cases) {
        TempFolder folder;
        const std::string path = folder.write("registry.reg", before);
        Registry registry;
        ASSERT_TRUE(registry.load(path));
        ASSERT_EQ(registry.setDword(name, value), 0);
        EXPECT_EQ(readAll(path), after);
        Registry reread;
        ASSERT_TRUE(reread.load(path));
        EXPECT_EQ(reread.dword(name), value);
        EXPECT_EQ(registry.dword(name), value);
    }
}

// An export as Windows' registry editor writes it: UTF-16LE with its mark, CR LF.
std::string windowsExport(std::string_view utf8) {
    return "\xFF\xFE" + utf16LeFromUtf8(utf8).value();
}

const char* const kUnicodeExport =
    "Windows Registry Editor Version 5.00\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\r\n"
    "\"MachineFolder\"=\"M\xC3\x9CLLER \xE2\x82\xAC\"\r\n"
    "\"Install Directory\"=\"C:\\\\Program Files\\\\\\\"QMX\\\"\"\r\n"
    "\"CommoLog\"=hex(2):43,00,3a,00,5c,00,6c,00,6f,00,67,00,5c,00,63,00,6f,00,6d,00,\\\r\n"
    "  6d,00,6f,00,2e,00,6c,00,6f,00,67,00,00,00\r\n"
    "\"ReadEcuNum\"=dword:0000001e\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX\\Sub]\r\n"
    "\"Note\"=\"\xE6\x97\xA5\xE6\x9C\xAC\"\r\n";

TEST(Registry, WindowsUnicodeExportIsReadAndStaysUnicodeWhenWritten) {
    TempFolder folder;
    const std::string path = folder.write("registry.reg", windowsExport(kUnicodeExport));
    Registry registry;
    ASSERT_TRUE(registry.load(path));
    EXPECT_EQ(registry.text("MachineFolder"), "M\xC3\x9CLLER \xE2\x82\xAC");
    EXPECT_EQ(registry.text("Install Directory"), "C:\\Program Files\\\"QMX\"");
    EXPECT_EQ(registry.find("CommoLog")->type, RegType::Other);
    EXPECT_EQ(registry.dword("ReadEcuNum"), 30u);
    EXPECT_EQ(registry.find("Note"), nullptr); // a value of another key

    ASSERT_EQ(registry.setDword("Rs232cPort", 3), 0);
    std::string expected = kUnicodeExport;
    expected.insert(expected.find("\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX\\Sub]"),
                    "\"Rs232cPort\"=dword:00000003\r\n");
    EXPECT_EQ(readAll(path), windowsExport(expected));
    ASSERT_EQ(registry.setDword("ReadEcuNum", 40), 0);
    EXPECT_EQ(registry.dword("Rs232cPort"), 3u);
    EXPECT_EQ(registry.dword("ReadEcuNum"), 40u);
}

TEST(Registry, EveryFormTheEditorImportsGivesTheSameValues) {
    const std::string value = "\"MachineFolder\"=\"M\xC3\x9CLLER\"\n\"ReadEcuNum\"=dword:1e\n";
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n";
    const std::string forms[] = {
        "Windows Registry Editor Version 5.00\n\n" + key + value,
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n\r\n" + key + value,
        "REGEDIT4\r\n\r\n" + key + "\"MachineFolder\"=\"M\xDCLLER\"\r\n\"ReadEcuNum\"=dword:1e\r\n",
    };
    for (const std::string& form : forms) {
        TempFolder folder;
        Registry registry;
        ASSERT_TRUE(registry.load(folder.write("registry.reg", form))) << form;
        EXPECT_EQ(registry.dword("ReadEcuNum"), 30u) << form;
        EXPECT_EQ(textAsUtf8(registry.text("MachineFolder").value_or("")), "M\xC3\x9CLLER");
    }
}

TEST(Registry, DeletionsAndThe32BitKeyReadAsAnImportWouldLeaveThem) {
    TempFolder folder;
    const std::string wow = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\QMX]\n"
                            "\"ReadEcuNum\"=dword:00000005\n"
                            "\"EcuCheckResult\"=hex:4b,44\n"
                            "\"EcuCheckResult\"=-\n";
    Registry registry;
    // Only the 32-bit program's key: it is read, and a new value goes into it.
    const std::string path = folder.write("registry.reg", "REGEDIT4\n\n" + wow);
    ASSERT_TRUE(registry.load(path));
    EXPECT_EQ(registry.dword("ReadEcuNum"), 5u);
    EXPECT_EQ(registry.find("EcuCheckResult"), nullptr);
    ASSERT_EQ(registry.setDword("EcuCheckResult", 1), 0);
    EXPECT_EQ(readAll(path), "REGEDIT4\n\n" + wow + "\"EcuCheckResult\"=dword:00000001\n");
    EXPECT_EQ(registry.dword("EcuCheckResult"), 1u);

    // Beside SOFTWARE\QMX it is not read; a deleted key takes its values with it.
    const std::string native =
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n\"XOROFF\"=dword:1\n";
    ASSERT_TRUE(registry.load(folder.write("registry.reg", native + wow)));
    EXPECT_EQ(registry.find("ReadEcuNum"), nullptr);
    EXPECT_EQ(registry.dword("XOROFF"), 1u);
    ASSERT_TRUE(registry.load(
        folder.write("registry.reg", native + "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\QMX]\n")));
    EXPECT_EQ(registry.find("XOROFF"), nullptr);
}

} // namespace
} // namespace qmx::platform
