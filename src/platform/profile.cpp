#include "platform/profile.h"

#include "platform/fileio.h"
#include "platform/profiletext.h"

#include <cerrno>

namespace qmx::platform {

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
    const std::optional<std::string> bytes = readFileBytes(m_path);
    if (!bytes)
        return std::string(fallback);
    return ProfileText(*bytes).value(section, key).value_or(std::string(fallback));
}

std::int32_t Profile::readInt(std::string_view section, std::string_view key,
                              std::int32_t fallback) const {
    const std::string text = readString(section, key, "");
    return text.empty() ? fallback : profileInteger(text);
}

bool Profile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    const std::optional<std::string> bytes = readFileBytes(m_path);
    if (!bytes && errno != ENOENT)
        return false; // never replace a file that exists but could not be read
    ProfileText text(bytes.value_or(std::string()));
    if (!text.setValue(section, key, value))
        return false;
    const std::optional<std::string> written = text.bytes();
    return written && atomicWriteFile(m_path, *written) == WriteStatus::Written;
}

} // namespace qmx::platform
