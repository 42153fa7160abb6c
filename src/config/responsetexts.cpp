#include "config/responsetexts.h"

#include "config/linerules.h"

namespace qmx::config {

std::vector<std::string> readResponseTexts(const CLineList& lines) {
    std::vector<std::string> texts;
    const auto header = findSection(lines, "Error Message");
    if (!header)
        return texts;
    for (std::size_t i = *header + 1; i < lines.count(); ++i) {
        const std::string& line = lines.textAt(i);
        if (!line.empty() && line.front() == '[' && line.back() == ']')
            break;
        if (isContentLine(line))
            texts.push_back(line);
    }
    return texts;
}

std::optional<std::string> lookUpResponse(const std::vector<std::string>& texts,
                                          unsigned char resultByte) {
    for (const std::string& text : texts) {
        if (text.size() > 2 && static_cast<unsigned char>(text[0]) == resultByte && text[1] == ',')
            return text.substr(2);
    }
    return std::nullopt;
}

} // namespace qmx::config
