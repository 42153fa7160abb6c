#include "platform/registryformat.h"

#include "platform/textlines.h"

#include <charconv>
#include <cstdio>

namespace qmx::platform::regformat {

namespace {

// Reads a quoted text starting at `text[0] == '"'`; advances `text` past the closing quote.
std::optional<std::string> readQuoted(std::string_view& text) {
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"'))
            ++i;
        out += text[i];
    }
    return std::nullopt;
}

bool startsWithIgnoreCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

bool isHexDigits(std::string_view text) {
    return !text.empty() &&
           text.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

std::optional<std::uint32_t> parseHex(std::string_view digits, std::size_t maxDigits) {
    if (!isHexDigits(digits) || digits.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    return value;
}

// True when the key path `key` is `tail` or ends in "\\" + `tail`, ignoring case.
bool endsWithKey(std::string_view key, std::string_view tail) {
    if (key.size() < tail.size() || !equalsIgnoreCase(key.substr(key.size() - tail.size()), tail))
        return false;
    return key.size() == tail.size() || key[key.size() - tail.size() - 1] == '\\';
}

RegValue parseData(std::string_view data) {
    RegValue value;
    if (data.starts_with('"')) {
        std::optional<std::string> text = readQuoted(data);
        if (text && trimBlanks(data).empty()) {
            value.type = RegType::Text;
            value.text = std::move(*text);
        }
    } else if (startsWithIgnoreCase(data, "dword:")) {
        if (const auto number = parseHex(trimBlanks(data.substr(6)), 8)) {
            value.type = RegType::Dword;
            value.dword = *number;
        }
    } else if (startsWithIgnoreCase(data, "hex:")) {
        std::string_view rest = trimBlanks(data.substr(4));
        value.type = RegType::Binary;
        while (!rest.empty()) {
            const std::size_t comma = rest.find(',');
            const auto byte = parseHex(trimBlanks(rest.substr(0, comma)), 2);
            if (!byte) {
                value = RegValue{};
                break;
            }
            value.binary.push_back(static_cast<std::uint8_t>(*byte));
            rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        }
    }
    return value;
}

} // namespace

std::optional<NamedValue> parseValueLine(std::string_view line) {
    if (!line.starts_with('"'))
        return std::nullopt;
    std::optional<std::string> name = readQuoted(line);
    line = trimBlanks(line);
    if (!name || !line.starts_with('='))
        return std::nullopt;
    const std::string_view data = trimBlanks(line.substr(1));
    if (data == "-")
        return NamedValue{std::move(*name), RegValue{}, true};
    return NamedValue{std::move(*name), parseData(data)};
}

std::optional<KeyLine> parseKeyLine(std::string_view line) {
    if (!line.starts_with('[') || !line.ends_with(']'))
        return std::nullopt;
    std::string_view key = trimBlanks(line.substr(1, line.size() - 2));
    KeyLine parsed;
    parsed.deletion = key.starts_with('-');
    key.remove_prefix(parsed.deletion ? 1 : 0);
    if (endsWithKey(key, "SOFTWARE\\QMX"))
        parsed.key = ProgramKey::Native;
    else if (endsWithKey(key, "SOFTWARE\\WOW6432Node\\QMX"))
        parsed.key = ProgramKey::Wow64;
    return parsed;
}

bool isHeaderLine(std::string_view line) {
    return startsWithIgnoreCase(line, "Windows Registry Editor") || line == "REGEDIT4";
}

std::string dwordLine(std::string_view name, std::uint32_t value) {
    std::string line = "\"";
    for (const char c : name) {
        if (c == '\\' || c == '"')
            line += '\\';
        line += c;
    }
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(value));
    return line + "\"=dword:" + digits;
}

} // namespace qmx::platform::regformat
