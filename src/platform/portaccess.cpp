#include "platform/portaccess.h"

#include <cstdio>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace qmx::platform {

namespace fs = std::filesystem;

namespace {

std::string programName(const fs::path& processFolder) {
    std::ifstream in(processFolder / "comm");
    std::string name;
    std::getline(in, name);
    return name;
}

std::optional<pid_t> pidOf(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return static_cast<pid_t>(std::stol(text));
}

// The holder of an flock on `file`, from /proc/locks: lines such as
// "1: FLOCK  ADVISORY  WRITE 1234 00:05:87 0 EOF", where 00:05 is the file system's device
// (major:minor in hexadecimal) and 87 the file's inode.
std::optional<pid_t> flockHolder(const fs::path& procRoot, const struct stat& file) {
    std::ifstream in(procRoot / "locks");
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        std::string number;
        std::string kind;
        std::string mode;
        std::string access;
        std::string pid;
        std::string where;
        fields >> number >> kind >> mode >> access >> pid >> where;
        if (kind != "FLOCK")
            continue;
        unsigned major = 0;
        unsigned minor = 0;
        unsigned long long inode = 0;
        if (std::sscanf(where.c_str(), "%x:%x:%llu", &major, &minor, &inode) != 3)
            continue;
        if (makedev(major, minor) == file.st_dev && inode == file.st_ino)
            return pidOf(pid);
    }
    return std::nullopt;
}

// Whether process folder `processFolder` has a descriptor open on `device`.
bool holdsOpen(const fs::path& processFolder, const fs::path& device) {
    std::error_code error;
    for (fs::directory_iterator it(processFolder / "fd", error), end; !error && it != end;
         it.increment(error)) {
        std::error_code linkError;
        if (fs::read_symlink(it->path(), linkError) == device)
            return true;
    }
    return false;
}

} // namespace

std::optional<DeviceGroup> deviceGroup(const fs::path& device) {
    struct stat file {};
    if (::stat(device.c_str(), &file) != 0)
        return std::nullopt;
    DeviceGroup group;
    group.membersMayUse = (file.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    std::vector<char> buffer(4096);
    struct group entry {};
    struct group* found = nullptr;
    if (getgrgid_r(file.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        group.name = found->gr_name;
    else
        group.name = std::to_string(file.st_gid);
    return group;
}

bool mayOpen(const fs::path& device) {
    return ::access(device.c_str(), R_OK | W_OK) == 0;
}

std::vector<PortHolder> portHolders(const fs::path& device, const fs::path& procRoot) {
    std::error_code error;
    const fs::path target = fs::canonical(device, error);
    struct stat file {};
    if (error || ::stat(target.c_str(), &file) != 0)
        return {};
    const pid_t self = ::getpid();
    if (const std::optional<pid_t> locker = flockHolder(procRoot, file); locker && *locker != self)
        return {{*locker, programName(procRoot / std::to_string(*locker))}};

    std::vector<PortHolder> holders;
    for (fs::directory_iterator it(procRoot, error), end; !error && it != end;
         it.increment(error)) {
        const std::optional<pid_t> pid = pidOf(it->path().filename().string());
        if (pid && *pid != self && holdsOpen(it->path(), target))
            holders.push_back({*pid, programName(it->path())});
    }
    return holders;
}

} // namespace qmx::platform
