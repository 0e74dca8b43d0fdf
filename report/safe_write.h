#pragma once

#include "result.h"

#include <functional>
#include <string>
#include <string_view>

namespace tessnivar {

// Writes a file's contents to fd, a descriptor open for writing.
using DescriptorWriter = std::function<Status(int fd)>;

// Writes the file named path (bytes as the system takes them) through write. A regular file, or a
// name not yet taken, is written as a new file in the same folder, synced, renamed over it and
// the folder synced, so it changes only when complete. A symbolic link is followed, under the
// kernel's rule for links in shared folders (kept here even where the kernel's is off), and the
// link stays; the name is then held through a
// descriptor of its folder, and a name that leads elsewhere by the time of the rename (swapped
// by another user) is refused. Other hard links keep the old contents; the new file takes the
// replaced one's permission bits and, as far as the system lets (always for root), its owner,
// else its group. The new file is unnamed until complete where the file system and /proc allow,
// else "NAME.XXXXXX", which every signal that ends the process by default removes first (unless
// ignored); SIGXFSZ at its default is ignored meanwhile, so a write past the size limit fails. A
// regular file with no write bit is refused, also for root; otherwise the kernel decides. A
// device or pipe is written directly. One call at a time per process.
[[nodiscard]] Status WriteFileSafely(const std::string& path, const DescriptorWriter& write);

// Writes all of bytes to fd from where it stands, going on after a short or interrupted write.
[[nodiscard]] Status WriteAll(int fd, std::string_view bytes);

} // namespace tessnivar
