#include "platform/textlines.h"

#include <algorithm>

namespace qmx::platform {

std::vector<TextLine> splitLines(std::string_view text) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text.substr(start)), ""});
            break;
        }
        const std::size_t eolSize = text.substr(end, 2) == "\r\n" ? 2 : 1;
        lines.push_back(
            {std::string(text.substr(start, end - start)), std::string(text.substr(end, eolSize))});
        start = end + eolSize;
    }
    return lines;
}

std::string joinLines(const std::vector<TextLine>& lines) {
    std::string bytes;
    for (const TextLine& line : lines) {
        bytes += line.text;
        bytes += line.eol;
    }
    return bytes;
}

std::string lineEnding(const std::vector<TextLine>& lines) {
    for (const TextLine& line : lines) {
        if (!line.eol.empty())
            return line.eol;
    }
    return "\n";
}

void insertLine(std::vector<TextLine>& lines, std::size_t index, std::string text) {
    const std::string eol = lineEnding(lines);
    if (index == lines.size() && !lines.empty() && lines.back().eol.empty())
        lines.back().eol = eol;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), {std::move(text), eol});
}

std::string_view trimBlanks(std::string_view text, std::string_view blanks) {
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last + 1 - first);
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace qmx::platform
