#include "app/commandline.h"

namespace qmx::app {

CommandWords splitCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.size() == 2)
        return {arguments[0], arguments[1]};
    if (arguments.size() == 1) {
        const std::string& text = arguments[0];
        const std::size_t space = text.find(' ');
        if (space != std::string::npos)
            return {text.substr(0, space), text.substr(space + 1)};
    }
    return {};
}

} // namespace qmx::app
