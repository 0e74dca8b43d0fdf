#include "standard_streams.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tessnivar {

std::optional<int> StandardStreamOpenOn(const std::string& path) {
    struct stat named {};
    if (stat(path.c_str(), &named) != 0)
        return std::nullopt;
    for (const int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (fstat(fd, &stream) == 0 && stream.st_dev == named.st_dev &&
            stream.st_ino == named.st_ino)
            return fd;
    }
    return std::nullopt;
}

std::optional<std::string> WriteAllTo(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing would never end; the system gives no reason for it.
        if (written <= 0)
            return std::generic_category().message(written < 0 ? errno : EIO);
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return std::nullopt;
}

} // namespace tessnivar
