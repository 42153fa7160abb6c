#pragma once

#include "platform/textlines.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The settings files that come from Windows (the registry export, qmx.INI) as lines: what
// their byte-order mark says about the encoding, and the way back to the same bytes.
namespace qmx::platform {

enum class TextEncoding {
    Bytes,   // no byte-order mark: the bytes as they are (UTF-8 or a single-byte code page)
    Utf8Bom, // UTF-8 after the mark EF BB BF
    Utf16Le, // UTF-16LE after the mark FF FE, held as UTF-8 in the lines
};

struct TextFile {
    TextEncoding encoding = TextEncoding::Bytes;
    std::vector<TextLine> lines; // split as splitLines does, without the mark
};

// The lines of a file's bytes. Nothing when the bytes are no text a settings file can hold:
// an odd count after the UTF-16 mark, or NUL bytes in a file without one (such as UTF-16
// without its mark), so that nothing is read from it or written into it.
std::optional<TextFile> decodeTextFile(std::string_view bytes);

// The bytes of `file`: its mark and its lines in its encoding, so that the bytes a decode
// gave are given back unchanged. Nothing when a line of a UTF-16 file is not UTF-8.
std::optional<std::string> encodeTextFile(const TextFile& file);

} // namespace qmx::platform
