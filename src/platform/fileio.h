#pragma once

#include <optional>
#include <string>
#include <string_view>

// Whole-file reads and the atomic replace that every rewrite of a stored file goes through.
namespace qmx::platform {

// The bytes of the regular file at `path` (symlinks followed); nothing when it is missing,
// unreadable or not a regular file (a FIFO or a device is never waited on); errno then tells
// which (ENOENT for a missing file).
std::optional<std::string> readFileBytes(const std::string& path);

enum class WriteStatus {
    Written,       // the target now holds exactly the new bytes
    LockedByOther, // another open file holds a write lock on the target; nothing was written
    Failed,        // no space, no permission, file too large...; the target is unchanged
};

// Replaces the file at `path` with `bytes` so that it never holds a partial result: the
// bytes go to a temporary file in the same folder, which takes the target's permission bits,
// is synced and then renamed over the target. A symlink is followed and its target
// replaced. On any failure the temporary file is removed and the old file stays byte for
// byte; errno tells why. A target (or link target) that exists and is not a regular file is
// never replaced: a character device or a FIFO is written in place (a FIFO needs a reader
// already), anything else fails.
WriteStatus atomicWriteFile(const std::string& path, std::string_view bytes);

} // namespace qmx::platform
