#include "platform/fileio.h"

#include "platform/filelock.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace qmx::platform {

namespace {

// Closes a descriptor when the scope ends, keeping errno as the failure left it.
class FdGuard {
public:
    explicit FdGuard(int fd) : m_fd(fd) {}
    ~FdGuard() {
        if (m_fd >= 0) {
            const int saved = errno;
            ::close(m_fd);
            errno = saved;
        }
    }
    FdGuard(const FdGuard&) = delete;
    FdGuard& operator=(const FdGuard&) = delete;
    // Closes now and reports the result (a failed close can mean lost data).
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a write to `path` must replace: symlinks are followed (at most 40 links, as the
// kernel does) so that the link itself survives the rename.
std::optional<std::string> resolveLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer)
            return std::nullopt;
        const std::string target(buffer, static_cast<std::size_t>(length));
        path = target.starts_with('/') ? target : folderOf(path) + "/" + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a new temporary file beside `target`; the kernel applies the umask to 0666.
int createTemporary(const std::string& target, std::string& tempPath) {
    std::random_device random;
    const std::size_t slash = target.rfind('/');
    const std::string prefix = slash == std::string::npos
                                   ? "." + target
                                   : target.substr(0, slash + 1) + "." + target.substr(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = prefix + ".tmp" + std::to_string(random());
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes, syncs and closes the temporary file; false on the first failure.
bool fillTemporary(int fd, std::string_view bytes, const std::optional<mode_t>& mode) {
    FdGuard guard(fd);
    if (mode && ::fchmod(fd, *mode) != 0)
        return false;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        return false;
    return guard.close();
}

// Makes the rename durable. The new file is complete either way, so a folder that cannot
// be synced does not fail the write.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes `bytes` into the character device or FIFO at `path` as it stands. A FIFO without a
// reader fails at once (ENXIO) instead of waiting for one.
WriteStatus writeInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return WriteStatus::Failed;
    FdGuard guard(fd);
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 || !writeAll(fd, bytes))
        return WriteStatus::Failed;
    return guard.close() ? WriteStatus::Written : WriteStatus::Failed;
}

} // namespace

std::optional<std::string> readFileBytes(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    FdGuard guard(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return std::nullopt;
    if (!S_ISREG(st.st_mode)) {
        errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return std::nullopt;
        }
        if (got == 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

WriteStatus atomicWriteFile(const std::string& path, std::string_view bytes) {
    // What is not a regular file is never replaced: a device or a FIFO (such as /dev/stdout or
    // /dev/null) takes the bytes as it stands, anything else is refused.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && !S_ISREG(existing.st_mode)) {
        if (S_ISCHR(existing.st_mode) || S_ISFIFO(existing.st_mode))
            return writeInPlace(path, bytes);
        errno = S_ISDIR(existing.st_mode) ? EISDIR : EINVAL;
        return WriteStatus::Failed;
    }
    const std::optional<std::string> target = resolveLinks(path);
    if (!target)
        return WriteStatus::Failed;
    if (isWriteLockedByOther(*target))
        return WriteStatus::LockedByOther;

    std::optional<mode_t> mode;
    struct stat st {};
    if (::stat(target->c_str(), &st) == 0)
        mode = st.st_mode & 07777;

    std::string tempPath;
    const int fd = createTemporary(*target, tempPath);
    if (fd < 0)
        return WriteStatus::Failed;
    if (!fillTemporary(fd, bytes, mode) || ::rename(tempPath.c_str(), target->c_str()) != 0) {
        const int saved = errno;
        ::unlink(tempPath.c_str());
        errno = saved;
        return WriteStatus::Failed;
    }
    syncFolder(folderOf(*target));
    return WriteStatus::Written;
}

} // namespace qmx::platform
