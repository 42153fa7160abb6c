#pragma once

#include <string>

// The exclusive-write lock on the open configuration file: an open file description holding
// an OFD write lock, so that another opener (another process, or another open of the same
// file in this one) sees the file as write-denied while it is held.
namespace qmx::platform {

class FileLock {
public:
    FileLock() = default;
    ~FileLock() { unlock(); }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Releases any held file, then opens `path` for reading and writing and takes a write
    // lock on the whole file without waiting. True when the file is held; false when it
    // cannot be opened for writing or another open file holds a lock on it.
    [[nodiscard]] bool lock(const std::string& path);
    // Releases the held file, if any.
    void unlock();
    bool isHeld() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// True when another open file description holds a write lock on the file at `path` (the
// test a reader makes before it opens a file, and a save before it replaces one). False when
// the file is not locked, does not exist or cannot be opened for the test.
bool isWriteLockedByOther(const std::string& path);

} // namespace qmx::platform
