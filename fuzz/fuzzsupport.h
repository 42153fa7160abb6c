#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

#include "config/linelist.h"
#include "config/plainfile.h"

// What the fuzz targets share: the input as a file path, the input as a line list, and a check
// that stops the run (libFuzzer then keeps the input that broke it).
namespace qmx::fuzz {

// The fuzz input as a string.
inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Aborts with `what` when `condition` does not hold.
inline void require(bool condition, const char* what) {
    if (condition)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

// An in-memory file that the readers open by path, rewritten for every input; no disk is
// touched and nothing is left behind.
class MemoryFile {
public:
    MemoryFile() : m_fd(::memfd_create("qmxfuzz", MFD_CLOEXEC)) {
        require(m_fd >= 0, "memfd_create");
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    // Replaces the content with `bytes` and returns the path that opens it.
    const std::string& hold(std::string_view bytes) {
        require(::ftruncate(m_fd, 0) == 0, "ftruncate");
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t written =
                ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            require(written > 0, "pwrite");
            done += static_cast<std::size_t>(written);
        }
        return m_path;
    }

private:
    int m_fd;
    std::string m_path;
};

// The input as the plain reader splits a file into lines (LF ends a line, CR is dropped).
inline config::CLineList linesOf(MemoryFile& file, std::string_view bytes) {
    config::CLineList lines;
    require(config::readPlainFile(file.hold(bytes), lines) == 0, "reading the input as lines");
    return lines;
}

} // namespace qmx::fuzz
