#include "standard_streams.h"

#include <sys/stat.h>
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

} // namespace tessnivar
