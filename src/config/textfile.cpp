#include "config/textfile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "app/messages.h"
#include "config/sharecheck.h"

namespace qmx::config {

namespace {

// Reads `fd` to its end; false on a read error.
bool readAll(int fd, std::string& bytes) {
    bytes.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

} // namespace

int readFileBytes(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return app::msg::FailedToOpenFile;
    int result = app::msg::Success;
    if (isWriteLockedByOther(fd))
        result = app::msg::WriteDenied;
    else if (!readAll(fd, bytes))
        result = app::msg::FailedToOpenFile;
    ::close(fd);
    return result;
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
