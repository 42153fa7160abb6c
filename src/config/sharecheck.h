#pragma once

namespace qmx::config {

// True when another open file description holds a write lock on the file open at `fd`, so
// that reading it would meet a sharing violation. False when no such lock exists or the
// query fails.
bool isWriteLockedByOther(int fd);

} // namespace qmx::config
