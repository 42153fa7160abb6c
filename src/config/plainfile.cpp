#include "config/plainfile.h"

#include "config/textfile.h"
#include "text/messages.h"

namespace qmx::config {

text::Status readPlainFile(const std::string& path, CLineList& lines) {
    std::string bytes;
    if (const text::Status result = readFileBytes(path, bytes))
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

void writePlainFile(const CLineList& lines, std::ostream& out) {
    for (const std::string& line : lines.lines()) {
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
        out.write("\r\n", 2);
    }
}

} // namespace qmx::config
