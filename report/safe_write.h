#pragma once

#include <functional>
#include <optional>
#include <string>

namespace tessnivar {

// Writes a file's contents to fd, a descriptor open for writing; why it failed, or nullopt.
using DescriptorWriter = std::function<std::optional<std::string>(int fd)>;

// Writes the file named path (bytes as the system takes them) through write. A regular file, or a
// name not yet taken, is written as a new file beside it, synced and renamed over it, so it
// changes only when complete: a symbolic link is followed and stays a link, other hard links keep
// the old contents, and the new file keeps the old one's permission bits and, as far as the
// system lets (always for root), its owner and group. The new file is unnamed until complete
// where the file system allows, else "NAME.XXXXXX", which SIGHUP, SIGINT or SIGTERM during the
// write remove before they take the course they had (unless ignored). A regular file its owner
// may not write is refused, also for root. A device or pipe is written directly. One call at a
// time per process. nullopt when written, else the reason.
[[nodiscard]] std::optional<std::string> WriteFileSafely(const std::string& path,
                                                         const DescriptorWriter& write);

} // namespace tessnivar
