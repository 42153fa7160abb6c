#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the encodings that settings brought from Windows arrive in (UTF-16LE,
// UTF-8, Windows-1252) and the UTF-8 the program works in.
namespace qmx::platform {

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// `bytes` as text in UTF-8: unchanged when it is valid UTF-8, else read as Windows-1252 (the
// five bytes that code page leaves unassigned stand for the control characters of their value).
std::string textAsUtf8(std::string_view bytes);

// True when `a` and `b` are the same text, each read as textAsUtf8 reads it, so a name held
// in UTF-8 equals the same name held in Windows-1252.
bool sameText(std::string_view a, std::string_view b);

// UTF-16LE code units as UTF-8; a lone surrogate becomes its own three-byte form so that
// utf16LeFromUtf8 gives the same units back. `units` must hold an even number of bytes.
std::string utf8FromUtf16Le(std::string_view units);

// The inverse of utf8FromUtf16Le; nothing when `text` is not UTF-8 (lone surrogates in their
// three-byte form allowed).
std::optional<std::string> utf16LeFromUtf8(std::string_view text);

} // namespace qmx::platform
