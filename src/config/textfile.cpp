#include "config/textfile.h"

#include <utility>

#include "platform/fileio.h"
#include "platform/filelock.h"
#include "text/messages.h"

namespace qmx::config {

text::Status readFileBytes(const std::string& path, std::string& bytes, LockedFile locked) {
    if (locked == LockedFile::Refuse && platform::isWriteLockedByOther(path))
        return text::msg::WriteDenied;
    auto content = platform::readFileBytes(path);
    if (!content)
        return text::msg::FailedToOpenFile;
    bytes = std::move(*content);
    return text::msg::Success;
}

bool LineCursor::next(std::string_view& line, bool& terminated) {
    if (m_pos >= m_text.size())
        return false;
    const std::size_t lf = m_text.find('\n', m_pos);
    terminated = lf != std::string_view::npos;
    const std::size_t end = terminated ? lf : m_text.size();
    line = m_text.substr(m_pos, end - m_pos);
    m_pos = terminated ? lf + 1 : end;
    return true;
}

std::string withoutCr(std::string_view line) {
    std::string text;
    text.reserve(line.size());
    for (char c : line) {
        if (c != '\r')
            text.push_back(c);
    }
    return text;
}

} // namespace qmx::config
