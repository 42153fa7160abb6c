#pragma once

#include <QString>

#include <string>
#include <string_view>

// The core keeps configuration texts as bytes; the windows show them as UTF-8 when they are
// valid UTF-8, else as Latin-1, and write edited texts back the same way.
namespace qmx::ui {

bool isValidUtf8(std::string_view bytes);

// `bytes` as UTF-8 when valid, else as Latin-1.
QString textFromBytes(std::string_view bytes);

// `text` in the encoding `original` was read with: Latin-1 when `original` was not valid UTF-8
// and `text` fits Latin-1, otherwise UTF-8.
std::string bytesFromText(const QString& text, std::string_view original = {});

} // namespace qmx::ui
