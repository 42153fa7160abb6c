#include "config/plainfile.h"

#include "config/textfile.h"
#include "text/messages.h"

namespace qmx::config {

text::Status readPlainFile(const std::string& path, CLineList& lines, LockedFile locked) {
    std::string bytes;
    if (const text::Status result = readFileBytes(path, bytes, locked))
        return result;
    LineCursor cursor(bytes);
    std::string_view raw;
    bool terminated = false;
    while (cursor.next(raw, terminated)) {
        std::string line = withoutCr(raw);
        if (terminated || !line.empty())
            lines.append(std::move(line));
    }
    return text::msg::Success;
}

void writePlainFile(const CLineList& lines, std::string& out) {
    constexpr std::string_view LineEnd = "\r\n";
    std::size_t size = 0;
    for (const std::string& line : lines.lines())
        size += line.size() + LineEnd.size();
    out.clear();
    out.reserve(size);
    for (const std::string& line : lines.lines()) {
        out += line;
        out += LineEnd;
    }
}

} // namespace qmx::config
