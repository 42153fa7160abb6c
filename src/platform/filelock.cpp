#include "platform/filelock.h"

#include <fcntl.h>
#include <unistd.h>

namespace qmx::platform {

namespace {

struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0; // to the end of the file, however long it grows
    lock.l_pid = 0; // required by OFD locks
    return lock;
}

} // namespace

bool FileLock::lock(const std::string& path) {
    unlock();
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void FileLock::unlock() {
    if (m_fd >= 0) {
        ::close(m_fd); // closing the description releases its lock
        m_fd = -1;
    }
}

bool isWriteLockedByOther(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Asking about a read lock reports exactly the write locks that would conflict with it.
    struct flock lock = wholeFile(F_RDLCK);
    const bool locked = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}

} // namespace qmx::platform
