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
constexpr std::string_view LineEnd = "\r\n";
// The empty line and "[End Title]" that close the title block.
constexpr std::string_view TitleFraming = "\r\n[End Title]\r\n";

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

// Lines before the first header other than "Title" are written as plain text; a line holding
// CR or LF ends the title block too, because as plain text it would not read back as itself.
bool isTitleBlockLine(std::string_view line) {
    if (line.find_first_of("\r\n") != std::string_view::npos)
        return false;
    const auto name = sectionName(line);
    return !name || equalsIgnoreCase(*name, "Title");
}

std::size_t titleBlockEnd(const CLineList& lines) {
    std::size_t index = 0;
    while (index < lines.count() && isTitleBlockLine(lines.textAt(index)))
        ++index;
    return index;
}

std::size_t codedSize(std::size_t length) {
    return 4 + 2 * length + LineEnd.size();
}

// The size of the packed file of `lines` whose title block ends at `titleEnd`; nothing when a
// line to be coded is too long.
std::optional<std::size_t> packedSize(const CLineList& lines, std::size_t titleEnd) {
    std::size_t size = TitleFraming.size() + 2 * codedSize(VersionLine.size());
    for (std::size_t index = 0; index < lines.count(); ++index) {
        const std::size_t length = lines.textAt(index).size();
        if (index < titleEnd)
            size += length + LineEnd.size();
        else if (length > MaxCodedLength)
            return std::nullopt;
        else
            size += codedSize(length);
    }
    return size;
}

void appendCodedLine(std::string_view text, std::string& out) {
    encodeLine(text, out);
    out += LineEnd;
}

} // namespace

bool encodeLine(std::string_view text, std::string& out) {
    if (text.size() > MaxCodedLength)
        return false;
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(lowerHexDigit(static_cast<unsigned>(text.size() >> shift)));
    for (char c : text) {
        const auto byte = static_cast<std::uint8_t>(c);
        out.push_back(lowerHexDigit(byte));
        out.push_back(lowerHexDigit(byte >> 4));
    }
    return true;
}

text::Status writePackedFile(const CLineList& lines, std::string& out) {
    out.clear();
    const std::size_t titleEnd = titleBlockEnd(lines);
    // Sized first, so that the text takes one allocation and a line too long to code leaves
    // `out` empty.
    const auto size = packedSize(lines, titleEnd);
    if (!size)
        return text::msg::LineTooLong;
    out.reserve(*size);
    for (std::size_t index = 0; index < titleEnd; ++index) {
        out += lines.textAt(index);
        out += LineEnd;
    }
    // The framing is written even when no line follows, so that every written file reads back.
    out += TitleFraming;
    appendCodedLine(VersionLine, out);
    for (std::size_t index = titleEnd; index < lines.count(); ++index)
        appendCodedLine(lines.textAt(index), out);
    appendCodedLine(VersionLine, out);
    return text::msg::Success;
}

text::Status readPackedFile(const std::string& path, CLineList& lines, LockedFile locked) {
    std::string bytes;
    if (const text::Status result = readFileBytes(path, bytes, locked))
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
