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
    std::optional<TextFile> file = bytes ? decodeTextFile(*bytes) : std::nullopt;
    m_open = file.has_value();
    m_file = file ? std::move(*file) : TextFile{};
    parse();
    return m_open;
}

void Registry::parse() {
    m_native = {};
    m_wow64 = {};
    const std::vector<TextLine>& lines = m_file.lines;
    const auto keyValues = [this](regformat::ProgramKey key) -> KeyValues* {
        switch (key) {
        case regformat::ProgramKey::Native:
            return &m_native;
        case regformat::ProgramKey::Wow64:
            return &m_wow64;
        case regformat::ProgramKey::None:
            break;
        }
        return nullptr;
    };
    KeyValues* key = &m_native; // values before any key line belong to the program's key
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view text = trimBlanks(lines[i].text);
        if (text.empty() || text.starts_with(';') || regformat::isHeaderLine(text))
            continue;
        if (const std::optional<regformat::KeyLine> keyLine = regformat::parseKeyLine(text)) {
            key = keyValues(keyLine->key);
            if (key && keyLine->deletion) {
                *key = KeyValues{};
                key = nullptr; // values under a deleted key are not imported
            } else if (key) {
                key->present = true;
                key->insertAt = i + 1;
            }
            continue;
        }
        // A value's data may go on over lines that end in a backslash.
        const std::size_t first = i;
        std::string logical(text);
        while (logical.ends_with('\\') && i + 1 < lines.size()) {
            logical.pop_back();
            logical += trimBlanks(lines[++i].text);
        }
        std::optional<regformat::NamedValue> named = regformat::parseValueLine(logical);
        if (!key || !named)
            continue;
        key->present = true;
        key->insertAt = i + 1;
        if (named->deletion)
            key->values.erase(named->name);
        else
            key->values[named->name] = Entry{std::move(named->value), first, i};
    }
}

const Registry::KeyValues& Registry::programKey() const {
    return m_native.present || !m_wow64.present ? m_native : m_wow64;
}

const RegValue* Registry::find(std::string_view name) const {
    const auto& values = programKey().values;
    const auto it = values.find(std::string(name));
    return it == values.end() ? nullptr : &it->second.value;
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
    TextFile file = m_file;
    std::vector<TextLine>& lines = file.lines;
    const KeyValues& key = programKey();
    std::string line = regformat::dwordLine(name, value);
    const auto it = key.values.find(std::string(name));
    if (it != key.values.end()) {
        const auto first = lines.begin() + static_cast<std::ptrdiff_t>(it->second.firstLine);
        const auto last = lines.begin() + static_cast<std::ptrdiff_t>(it->second.lastLine);
        first->text = std::move(line);
        first->eol = last->eol;
        lines.erase(first + 1, last + 1);
    } else if (key.insertAt) {
        insertLine(lines, *key.insertAt, std::move(line));
    } else {
        insertLine(lines, lines.size(), std::string(regformat::kProgramKeyLine));
        insertLine(lines, lines.size(), std::move(line));
    }
    const std::optional<std::string> bytes = encodeTextFile(file);
    if (!bytes || atomicWriteFile(m_path, *bytes) != WriteStatus::Written)
        return -1;
    m_file = std::move(file);
    parse();
    return 0;
}

} // namespace qmx::platform
