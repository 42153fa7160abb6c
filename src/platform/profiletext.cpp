#include "platform/profiletext.h"

namespace qmx::platform {

namespace {

// The blanks the Windows profile functions trim around names and values.
std::string_view trimProfileBlanks(std::string_view text) {
    return trimBlanks(text, " \t\r\n\f\v");
}

// The name of a section header line ("[name]", blanks allowed around it), or nothing.
std::optional<std::string_view> headerName(std::string_view line) {
    line = trimProfileBlanks(line);
    if (!line.starts_with('['))
        return std::nullopt;
    const std::size_t close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trimProfileBlanks(line.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key and raw value of an entry line ("key = value"), or nothing.
std::optional<Entry> entryOf(std::string_view line) {
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    return Entry{trimProfileBlanks(line.substr(0, equals)),
                 trimProfileBlanks(line.substr(equals + 1))};
}

std::string_view unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

bool holdsLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

} // namespace

ProfileText::Location ProfileText::locate(std::string_view section, std::string_view key) const {
    Location where;
    if (!m_file)
        return where;
    const std::vector<TextLine>& lines = m_file->lines;
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<std::string_view> name = headerName(lines[i].text);
        if (where.header) {
            if (name)
                break;
            if (trimProfileBlanks(lines[i].text).empty())
                continue;
            where.insertAt = i + 1;
            const std::optional<Entry> entry = entryOf(lines[i].text);
            if (entry && equalsIgnoreCase(entry->key, key)) {
                where.entry = i;
                break;
            }
        } else if (name && equalsIgnoreCase(*name, section)) {
            where.header = i;
            where.insertAt = i + 1;
        }
    }
    return where;
}

std::optional<std::string> ProfileText::value(std::string_view section,
                                              std::string_view key) const {
    const Location where = locate(section, key);
    if (!where.entry)
        return std::nullopt;
    return std::string(unquote(entryOf(m_file->lines[*where.entry].text)->value));
}

bool ProfileText::setValue(std::string_view section, std::string_view key, std::string_view value) {
    section = trimProfileBlanks(section);
    key = trimProfileBlanks(key);
    if (!m_file || section.empty() || key.empty() || holdsLineBreak(section) ||
        holdsLineBreak(key) || holdsLineBreak(value) ||
        section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
        key.starts_with('['))
        return false;

    std::vector<TextLine>& lines = m_file->lines;
    const Location where = locate(section, key);
    if (where.entry) {
        // Keep the key as the file spells it.
        TextLine& entryLine = lines[*where.entry];
        entryLine.text = std::string(entryOf(entryLine.text)->key) + "=" + std::string(value);
        return true;
    }
    std::string line = std::string(key) + "=" + std::string(value);
    if (where.header) {
        insertLine(lines, where.insertAt, std::move(line));
        return true;
    }
    if (!lines.empty() && !trimProfileBlanks(lines.back().text).empty())
        insertLine(lines, lines.size(), "");
    insertLine(lines, lines.size(), "[" + std::string(section) + "]");
    insertLine(lines, lines.size(), std::move(line));
    return true;
}

std::optional<std::string> ProfileText::bytes() const {
    if (!m_file)
        return std::nullopt;
    return encodeTextFile(*m_file);
}

std::int32_t profileInteger(std::string_view value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-'))
        negative = value[i++] == '-';
    std::uint32_t magnitude = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = magnitude * 10u + static_cast<std::uint32_t>(value[i] - '0');
    if (negative)
        magnitude = 0u - magnitude;
    return static_cast<std::int32_t>(magnitude);
}

} // namespace qmx::platform
