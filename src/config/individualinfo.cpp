#include "config/individualinfo.h"

#include "config/linerules.h"
#include "platform/textencoding.h"
#include "text/messages.h"

namespace qmx::config {

std::optional<std::string> readMachineCode(const CLineList& lines) {
    for (std::size_t index : sectionContent(lines, "Individual Information")) {
        const std::vector<std::string> fields = commaFields(lines.textAt(index), 3);
        if (fields.size() >= 2 && fields[0] == "VestraMachineCode" && fields[1].size() >= 2)
            return fields[1].substr(0, 2);
    }
    return std::nullopt;
}

text::Status checkMachine(const CLineList& lines, const std::string& machineFolder) {
    const auto model = keyedValue(lines, "Machine", "Model", ',');
    // The registry and the configuration may hold the name in different encodings.
    if (model && !platform::sameText(*model, machineFolder))
        return text::msg::MachineTypeDifferent;
    return text::msg::Success;
}

} // namespace qmx::config
