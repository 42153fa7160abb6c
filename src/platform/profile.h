#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A profile (INI) file read and written like the Windows profile functions: every read
// looks at the file as it is now, every write rewrites it atomically and keeps every other
// line as it was.
namespace qmx::platform {

class Profile {
public:
    explicit Profile(std::string path) : m_path(std::move(path)) {}

    const std::string& path() const { return m_path; }

    // The trimmed value of `key` in `section`, or `fallback` when the file, the section or
    // the key is missing.
    std::string readString(std::string_view section, std::string_view key,
                           std::string_view fallback) const;
    // The value read as GetPrivateProfileInt does (sign and leading digits; 0 when it has no
    // digits), or `fallback` when the key is missing or its value is empty.
    std::int32_t readInt(std::string_view section, std::string_view key,
                         std::int32_t fallback) const;
    // Writes `key` = `value` into `section`, creating the file, section or key when missing.
    // False when the file could not be rewritten (it is then unchanged) or the text cannot be
    // stored as a profile line.
    [[nodiscard]] bool writeString(std::string_view section, std::string_view key,
                                   std::string_view value);

private:
    std::string m_path;
};

} // namespace qmx::platform
