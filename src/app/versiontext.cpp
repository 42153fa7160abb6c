#include "app/versiontext.h"

#include <ctime>
#include <sys/stat.h>

namespace qmx::app {

std::string versionText(const std::string& programPath) {
    struct stat st {};
    if (::stat(programPath.c_str(), &st) != 0)
        return {};
    std::tm local{};
    char when[128] = "";
    if (::localtime_r(&st.st_mtime, &local))
        std::strftime(when, sizeof when, "%c", &local);
    const std::size_t slash = programPath.rfind('/');
    const std::string name =
        slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    return name + "(ver." QMX_VERSION ") : " + when;
}

} // namespace qmx::app
