#include "app/folderlist.h"

#include "app/folderpath.h"
#include "platform/profile.h"

#include <algorithm>

namespace qmx::app {

namespace {

constexpr const char* kSection = "DIRECTORY";
constexpr const char* kEnd = "NO_DIR";

std::string keyFor(std::size_t index) {
    return "PATH" + std::to_string(index + 1);
}

} // namespace

FolderList FolderList::read(const platform::Profile& file) {
    std::vector<std::string> entries;
    for (std::size_t i = 0; i < kMaxEntries; ++i) {
        std::string folder = file.readString(kSection, keyFor(i), kEnd);
        if (folder == kEnd)
            break;
        entries.push_back(folderFromSetting(std::move(folder)));
    }
    return FolderList(std::move(entries));
}

void FolderList::choose(const std::string& folder) {
    std::erase(m_entries, folder);
    m_entries.insert(m_entries.begin(), folder);
    if (m_entries.size() > kMaxEntries)
        m_entries.resize(kMaxEntries);
}

bool FolderList::write(platform::Profile& file) const {
    const std::size_t stored = read(file).entries().size();
    bool written = true;
    for (std::size_t i = 0; i < m_entries.size(); ++i)
        written = file.writeString(kSection, keyFor(i), m_entries[i]) && written;
    if (m_entries.size() < stored)
        written = file.writeString(kSection, keyFor(m_entries.size()), kEnd) && written;
    return written;
}

} // namespace qmx::app
