#include "config/packedfile.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "config/linerules.h"
#include "config/textfile.h"
#include "text/messages.h"

namespace qmx::config {

namespace {

constexpr std::string_view VersionLine = "QMX_1.0.1.0";
constexpr std::string_view EndTitle = "End Title";
constexpr std::size_t MaxCodedLength = 0xFFFF;

char lowerHexDigit(unsigned value) {
    return "0123456789abcdef"[value & 0x0F];
}

// The text of one coded line, ignoring whatever follows its pairs; nothing when the length or a
// pair character is not a hexadecimal digit or the pairs run past the end of the line.
std::optional<std::string> decodeLine(std::string_view coded) {
    if (coded.size() < 4)
        return std::nullopt;
    const auto length = parseHex(coded.substr(0, 4));
    if (!length || coded.size() - 4 < std::size_t{*length} * 2)
        return std::nullopt;
    std::string text;
    text.reserve(*length);
    for (std::size_t i = 4; i < 4 + std::size_t{*length} * 2; i += 2) {
        const auto low = parseHex(coded.substr(i, 1));
        const auto high = parseHex(coded.substr(i + 1, 1));
        if (!low || !high)
            return std::nullopt;
        text.push_back(static_cast<char>(*low | (*high << 4)));
    }
    return text;
}

bool appendCodedLine(std::string_view text, std::string& out) {
    if (!encodeLine(text, out))
        return false;
    out += "\r\n";
    return true;
}

// Lines before the first header other than "Title" are written as plain text; a line holding
// CR or LF ends the title block too, because as plain text it would not read back as itself.
bool isTitleBlockLine(std::string_view line) {
    if (line.find_first_of("\r\n") != std::string_view::npos)
        return false;
    const auto name = sectionName(line);
    return !name || equalsIgnoreCase(*name, "Title");
}

void appendPlainLine(std::string_view text, std::string& out) {
    out += text;
    out += "\r\n";
}

} // namespace

bool encodeLine(std::string_view text, std::string& out) {
    if (text.size() > MaxCodedLength)
        return false;
    out.reserve(out.size() + 4 + 2 * text.size());
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(lowerHexDigit(static_cast<unsigned>(text.size() >> shift)));
    for (char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        out.push_back(lowerHexDigit(byte));
        out.push_back(lowerHexDigit(byte >> 4));
    }
    return true;
}

text::Status writePackedFile(const CLineList& lines, std::ostream& out) {
    // The file is built whole first, so that a line too long to code leaves `out` untouched.
    std::string file;
    std::size_t index = 0;
    for (; index < lines.count() && isTitleBlockLine(lines.textAt(index)); ++index)
        appendPlainLine(lines.textAt(index), file);
    // The framing is written even when no line follows, so that every written file reads back.
    appendPlainLine("", file);
    appendPlainLine("[End Title]", file);
    appendCodedLine(VersionLine, file);
    for (; index < lines.count(); ++index) {
        if (!appendCodedLine(lines.textAt(index), file))
            return text::msg::LineTooLong;
    }
    appendCodedLine(VersionLine, file);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    return text::msg::Success;
}

text::Status readPackedFile(const std::string& path, CLineList& lines) {
    std::string bytes;
    if (const text::Status result = readFileBytes(path, bytes))
        return result;
    LineCursor cursor(bytes);
    std::string_view raw;
    bool terminated = false;
    std::vector<std::string> read;

    bool versionSeen = false;
    // A last title line without LF is dropped.
    while (!versionSeen && cursor.next(raw, terminated) && terminated) {
        std::string line = withoutCr(raw);
        const auto name = sectionName(line);
        if (!name || !equalsIgnoreCase(*name, EndTitle)) {
            read.push_back(std::move(line));
            continue;
        }
        // The empty line the writer puts before "[End Title]" is framing, not title text.
        if (!read.empty() && read.back().empty())
            read.pop_back();
        if (!cursor.next(raw, terminated) || decodeLine(raw) != VersionLine)
            return text::msg::PackedVersionError;
        versionSeen = true;
    }
    if (!versionSeen)
        return text::msg::PackedVersionError;

    // The trailer is the last coded version line; an earlier one is a configuration line that
    // happens to hold the same text, and is kept.
    std::optional<std::size_t> trailer;
    while (cursor.next(raw, terminated)) {
        auto text = decodeLine(raw);
        if (!text)
            return text::msg::PackedVersionError;
        if (*text == VersionLine)
            trailer = read.size();
        read.push_back(std::move(*text));
    }
    if (!trailer)
        return text::msg::PackedVersionError;
    read.erase(read.begin() + static_cast<std::ptrdiff_t>(*trailer));
    for (std::string& line : read)
        lines.append(std::move(line));
    return text::msg::Success;
}

} // namespace qmx::config
