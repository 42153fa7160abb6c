#pragma once

#include <algorithm>
#include <string>

namespace qmx::app {

// A folder as the settings give it, with Windows separators read as "/".
inline std::string folderFromSetting(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

} // namespace qmx::app
