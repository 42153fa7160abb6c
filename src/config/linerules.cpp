#include "config/linerules.h"

#include <charconv>
#include <limits>

namespace qmx::config {

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

} // namespace

bool isContentLine(std::string_view line) {
    const std::string_view trimmed = trim(line);
    return !trimmed.empty() && trimmed.front() != ';';
}

std::optional<std::string_view> sectionName(std::string_view line) {
    const std::string_view trimmed = trim(line);
    if (trimmed.size() < 3 || trimmed.front() != '[' || trimmed.back() != ']')
        return std::nullopt;
    const std::string_view name = trim(trimmed.substr(1, trimmed.size() - 2));
    if (name.empty())
        return std::nullopt;
    return name;
}

std::optional<std::size_t> findSection(const CLineList& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.count(); ++i) {
        const auto header = sectionName(lines.textAt(i));
        if (header && equalsIgnoreCase(*header, name))
            return i;
    }
    return std::nullopt;
}

std::size_t sectionEnd(const CLineList& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.count() && !sectionName(lines.textAt(i)))
        ++i;
    return i;
}

std::vector<std::size_t> sectionContent(const CLineList& lines, std::string_view name) {
    std::vector<std::size_t> content;
    const auto header = findSection(lines, name);
    if (!header)
        return content;
    const std::size_t end = sectionEnd(lines, *header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        if (isContentLine(lines.textAt(i)))
            content.push_back(i);
    }
    return content;
}

std::optional<std::string> keyedValue(const CLineList& lines, std::string_view section,
                                      std::string_view key, char separator) {
    for (std::size_t index : sectionContent(lines, section)) {
        const std::string_view line = lines.textAt(index);
        const std::size_t at = line.find(separator);
        if (at == std::string_view::npos)
            continue;
        const std::string_view name = trim(line.substr(0, at));
        if (name.empty() || !equalsIgnoreCase(name, key))
            continue;
        return toUpper(trim(line.substr(at + 1)));
    }
    return std::nullopt;
}

std::vector<std::string> commaFields(std::string_view line, std::size_t maxFields) {
    std::vector<std::string> fields;
    std::string_view rest = trim(line);
    while (fields.size() + 1 < maxFields) {
        const std::size_t comma = rest.find(',');
        if (comma == std::string_view::npos)
            break;
        fields.emplace_back(trim(rest.substr(0, comma)));
        rest = trim(rest.substr(comma + 1));
    }
    fields.emplace_back(rest);
    return fields;
}

std::optional<std::uint32_t> parseHex(std::string_view text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return value;
}

std::optional<int> parseDecimal(std::string_view text) {
    const std::size_t digitsStart = (!text.empty() && text.front() == '-') ? 1 : 0;
    if (text.size() == digitsStart)
        return std::nullopt;
    for (std::size_t i = digitsStart; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string toUpper(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = upper(c);
    return result;
}

} // namespace qmx::config
