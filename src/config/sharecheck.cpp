#include "config/sharecheck.h"

#include <fcntl.h>

namespace qmx::config {

bool isWriteLockedByOther(int fd) {
    // Asking for a read lock over the whole file reports exactly the conflicting write locks.
    struct flock probe {};
    probe.l_type = F_RDLCK;
    probe.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

} // namespace qmx::config
