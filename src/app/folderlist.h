#pragma once

#include <string>
#include <vector>

namespace qmx::platform {
class Profile;
}

// The recent working folders of the Directory dialog: keys PATH1..PATH8 of section
// DIRECTORY in qmx.INI, most recent first. The value "NO_DIR" (also what a missing key
// reads as) ends the list.
namespace qmx::app {

class FolderList {
public:
    static constexpr std::size_t kMaxEntries = 8;

    explicit FolderList(std::vector<std::string> entries = {}) : m_entries(std::move(entries)) {}

    // The stored list, read up to the first "NO_DIR", with "\" read as "/".
    static FolderList read(const platform::Profile& file);

    const std::vector<std::string>& entries() const { return m_entries; }

    // OK's rule: `folder` goes to the top, later entries equal to it (exact text) are
    // dropped, and at most eight entries are kept.
    void choose(const std::string& folder);

    // Writes the entries to PATH1, PATH2, ...; when the stored list was longer, the key after
    // the last entry is set to "NO_DIR" so that no stale entry reappears. False when a key
    // could not be written.
    [[nodiscard]] bool write(platform::Profile& file) const;

private:
    std::vector<std::string> m_entries;
};

} // namespace qmx::app
