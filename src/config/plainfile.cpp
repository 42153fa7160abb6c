#include "config/plainfile.h"

#include "app/messages.h"
#include "config/textfile.h"

namespace qmx::config {

int readPlainFile(const std::string& path, CLineList& lines, LockedFile locked) {
    std::string bytes;
    if (const int result = readFileBytes(path, bytes, locked))
        return result;
    LineCursor cursor(bytes);
    std::string_view raw;
    bool terminated = false;
    while (cursor.next(raw, terminated)) {
        std::string line = withoutCr(raw);
        if (terminated || !line.empty())
            lines.append(std::move(line));
    }
    return app::msg::Success;
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
