#pragma once

#include "platform/textfile.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The program's registry key SOFTWARE\QMX, kept as a text file in the Windows
// registry-export format:
//     Windows Registry Editor Version 5.00
//     [HKEY_LOCAL_MACHINE\SOFTWARE\QMX]
//     "ReadEcuNum"=dword:0000001e
//     "EcuCheckResult"=hex:4b,44
//     "MachineName"="ABC"
// The file is read in every form Windows' registry editor writes or imports: UTF-16LE with
// its byte-order mark (texts are then held in UTF-8), UTF-8 with or without the mark, or the
// single-byte REGEDIT4 form, with CR LF or LF. Values keep their type, because the settings
// rules depend on it. Values under another key are ignored; values before any key line
// belong to SOFTWARE\QMX; SOFTWARE\WOW6432Node\QMX (a 32-bit program's key exported from
// 64-bit Windows) is read when the file holds no SOFTWARE\QMX. `"Name"=-` deletes a value and
// `[-...]` the key, as an import would. Names compare without case.
namespace qmx::platform {

enum class RegType { Dword, Binary, Text, Other };

struct RegValue {
    RegType type = RegType::Other; // Other: a type the program does not use, or unreadable
    std::uint32_t dword = 0;
    std::vector<std::uint8_t> binary;
    std::string text;
};

class Registry {
public:
    // Reads the store at `path`. False when it cannot be read: the key cannot be opened, and
    // no value is present.
    bool load(const std::string& path);
    bool isOpen() const { return m_open; }
    const std::string& path() const { return m_path; }

    // The value `name` of any type, or nullptr when absent.
    const RegValue* find(std::string_view name) const;
    // The value `name` when it has the asked type; nothing when absent or of another type.
    std::optional<std::uint32_t> dword(std::string_view name) const;
    std::optional<std::vector<std::uint8_t>> binary(std::string_view name) const;
    std::optional<std::string> text(std::string_view name) const;

    // Sets `name` to a DWORD: re-reads the file, replaces the value's line (or adds one to
    // the key) and rewrites the file atomically, keeping every other line, the encoding, the
    // byte-order mark and the line ends. 0 on success, -1 when the key cannot be opened or the
    // file cannot be rewritten (it is then unchanged).
    [[nodiscard]] int setDword(std::string_view name, std::uint32_t value);

private:
    struct NameLess {
        bool operator()(const std::string& a, const std::string& b) const;
    };
    struct Entry {
        RegValue value;
        std::size_t firstLine = 0; // the value's lines, continuation lines included
        std::size_t lastLine = 0;
    };
    // What the file holds of one view of the program's key.
    struct KeyValues {
        bool present = false; // a key line names it, or values stand before any key line
        std::map<std::string, Entry, NameLess> values;
        std::optional<std::size_t> insertAt; // after the last line of the key, when it has one
    };
    void parse();
    // The view the program reads: SOFTWARE\QMX, or the WOW6432Node key when only that is present.
    const KeyValues& programKey() const;

    std::string m_path;
    bool m_open = false;
    TextFile m_file;
    KeyValues m_native;
    KeyValues m_wow64;
};

} // namespace qmx::platform
