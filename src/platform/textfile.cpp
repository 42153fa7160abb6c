#include "platform/textfile.h"

#include "platform/textencoding.h"

namespace qmx::platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

} // namespace

std::optional<TextFile> decodeTextFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeMark)) {
        const std::string_view units = bytes.substr(kUtf16LeMark.size());
        if (units.size() % 2 != 0)
            return std::nullopt;
        return TextFile{TextEncoding::Utf16Le, splitLines(utf8FromUtf16Le(units))};
    }
    if (bytes.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (bytes.starts_with(kUtf8Mark))
        return TextFile{TextEncoding::Utf8Bom, splitLines(bytes.substr(kUtf8Mark.size()))};
    return TextFile{TextEncoding::Bytes, splitLines(bytes)};
}

std::optional<std::string> encodeTextFile(const TextFile& file) {
    const std::string text = joinLines(file.lines);
    switch (file.encoding) {
    case TextEncoding::Bytes:
        return text;
    case TextEncoding::Utf8Bom:
        return std::string(kUtf8Mark) + text;
    case TextEncoding::Utf16Le:
        if (std::optional<std::string> units = utf16LeFromUtf8(text))
            return std::string(kUtf16LeMark) + *units;
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace qmx::platform
