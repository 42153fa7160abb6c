#include "platform/registry.h"

#include "platform/fileio.h"
#include "platform/registryformat.h"

#include <algorithm>

namespace qmx::platform {

bool Registry::NameLess::operator()(const std::string& a, const std::string& b) const {
    const auto lower = [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + 32 : c; };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&](char x, char y) { return lower(x) < lower(y); });
}

bool Registry::load(const std::string& path) {
    m_path = path;
    const std::optional<std::string> bytes = readFileBytes(path);
    m_open = bytes.has_value();
    m_lines = bytes ? splitLines(*bytes) : std::vector<TextLine>{};
    parse();
    return m_open;
}

void Registry::parse() {
    m_values.clear();
    m_insertAt.reset();
    m_hasOtherKeys = false;
    bool inProgramKey = true; // values before any key line belong to the program's key
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view text = trimBlanks(m_lines[i].text);
        if (i == 0 && text.starts_with("\xEF\xBB\xBF"))
            text = trimBlanks(text.substr(3));
        if (text.empty() || regformat::isHeaderLine(text))
            continue;
        if (const std::optional<std::string_view> key = regformat::keyName(text)) {
            inProgramKey = regformat::isProgramKey(*key);
            m_hasOtherKeys = m_hasOtherKeys || !inProgramKey;
            if (inProgramKey)
                m_insertAt = i + 1;
            continue;
        }
        // A value's data may go on over lines that end in a backslash.
        const std::size_t first = i;
        std::string logical(text);
        while (logical.ends_with('\\') && i + 1 < m_lines.size()) {
            logical.pop_back();
            logical += trimBlanks(m_lines[++i].text);
        }
        if (!inProgramKey)
            continue;
        m_insertAt = i + 1;
        if (std::optional<regformat::NamedValue> named = regformat::parseValueLine(logical))
            m_values[named->name] = Entry{std::move(named->value), first, i};
    }
}

const RegValue* Registry::find(std::string_view name) const {
    const auto it = m_values.find(std::string(name));
    return it == m_values.end() ? nullptr : &it->second.value;
}

std::optional<std::uint32_t> Registry::dword(std::string_view name) const {
    const RegValue* value = find(name);
    if (!value || value->type != RegType::Dword)
        return std::nullopt;
    return value->dword;
}

std::optional<std::vector<std::uint8_t>> Registry::binary(std::string_view name) const {
    const RegValue* value = find(name);
    if (!value || value->type != RegType::Binary)
        return std::nullopt;
    return value->binary;
}

std::optional<std::string> Registry::text(std::string_view name) const {
    const RegValue* value = find(name);
    if (!value || value->type != RegType::Text)
        return std::nullopt;
    return value->text;
}

int Registry::setDword(std::string_view name, std::uint32_t value) {
    // Start from the file as it is now, so that changes made meanwhile are kept.
    if (!m_open || !load(m_path))
        return -1;
    std::vector<TextLine> lines = m_lines;
    std::string line = regformat::dwordLine(name, value);
    const auto it = m_values.find(std::string(name));
    if (it != m_values.end()) {
        const auto first = lines.begin() + static_cast<std::ptrdiff_t>(it->second.firstLine);
        const auto last = lines.begin() + static_cast<std::ptrdiff_t>(it->second.lastLine);
        first->text = std::move(line);
        first->eol = last->eol;
        lines.erase(first + 1, last + 1);
    } else if (m_insertAt) {
        insertLine(lines, *m_insertAt, std::move(line));
    } else {
        if (m_hasOtherKeys)
            insertLine(lines, lines.size(), std::string(regformat::kProgramKeyLine));
        insertLine(lines, lines.size(), std::move(line));
    }
    if (atomicWriteFile(m_path, joinLines(lines)) != WriteStatus::Written)
        return -1;
    m_lines = std::move(lines);
    parse();
    return 0;
}

} // namespace qmx::platform
