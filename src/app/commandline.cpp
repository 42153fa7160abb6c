#include "app/commandline.h"

#include <filesystem>
#include <system_error>

namespace qmx::app {

namespace {

bool isExistingFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

CommandWords splitCommandLine(const std::vector<std::string>& arguments) {
    if (arguments.size() == 2)
        return {arguments[0], arguments[1], {}};
    if (arguments.size() == 1) {
        const std::string& text = arguments[0];
        const std::size_t space = text.find(' ');
        if (space != std::string::npos && !isExistingFile(text))
            return {text.substr(0, space), text.substr(space + 1), {}};
        return {{}, {}, text};
    }
    return {};
}

} // namespace qmx::app
