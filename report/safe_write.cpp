#include "safe_write.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace tessnivar {

namespace {

// The signals a user or the system sends to stop a program. SIGKILL cannot be caught, so a
// named temporary file can survive only that (or a power cut).
constexpr std::array kCleanupSignals = {SIGHUP, SIGINT, SIGTERM};

// The temporary file being written, for the signal handler: set and cleared only with the
// cleanup signals blocked, so the handler never sees half a name.
char gTemporaryPath[PATH_MAX];
volatile std::sig_atomic_t gTemporaryExists = 0;
std::array<struct sigaction, kCleanupSignals.size()> gPreviousActions{};

void RemoveTemporaryAndResignal(int signal) {
    if (gTemporaryExists)
        unlink(gTemporaryPath);
    for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
        if (kCleanupSignals[i] == signal)
            sigaction(signal, &gPreviousActions[i], nullptr);
    }
    // Pending while this handler runs; on return it meets the action the program had, by
    // default ending it so that its parent sees the signal (a shell shows 128 + signal).
    raise(signal);
}

sigset_t CleanupSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kCleanupSignals)
        sigaddset(&set, signal);
    return set;
}

// Holds the cleanup signals off this thread for as long as it lives.
class CleanupSignalsBlocked {
public:
    CleanupSignalsBlocked() {
        const sigset_t set = CleanupSignalSet();
        pthread_sigmask(SIG_BLOCK, &set, &previous_);
    }
    ~CleanupSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    CleanupSignalsBlocked(const CleanupSignalsBlocked&) = delete;
    CleanupSignalsBlocked& operator=(const CleanupSignalsBlocked&) = delete;

private:
    sigset_t previous_{};
};

// Routes the cleanup signals through RemoveTemporaryAndResignal for as long as it lives. A
// signal the program ignores, as under nohup, stays ignored.
class CleanupHandlers {
public:
    CleanupHandlers() {
        const CleanupSignalsBlocked blocked;
        struct sigaction action {};
        action.sa_handler = RemoveTemporaryAndResignal;
        action.sa_mask = CleanupSignalSet();
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
            sigaction(kCleanupSignals[i], nullptr, &gPreviousActions[i]);
            installed_[i] = (gPreviousActions[i].sa_flags & SA_SIGINFO) ||
                            gPreviousActions[i].sa_handler != SIG_IGN;
            if (installed_[i])
                sigaction(kCleanupSignals[i], &action, nullptr);
        }
    }
    ~CleanupHandlers() {
        const CleanupSignalsBlocked blocked;
        for (std::size_t i = 0; i < kCleanupSignals.size(); ++i) {
            if (installed_[i])
                sigaction(kCleanupSignals[i], &gPreviousActions[i], nullptr);
        }
    }
    CleanupHandlers(const CleanupHandlers&) = delete;
    CleanupHandlers& operator=(const CleanupHandlers&) = delete;

private:
    std::array<bool, kCleanupSignals.size()> installed_{};
};

std::string SystemReason(int error) {
    return std::generic_category().message(error);
}

// Six letters and digits for a temporary name.
std::string RandomSuffix() {
    static constexpr char kCharacters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::string suffix(6, ' ');
    for (char& c : suffix)
        c = kCharacters[generator() % (sizeof kCharacters - 1)];
    return suffix;
}

// target with a random suffix ".XXXXXX", its last name shortened where the suffix would make it
// longer than a folder allows.
std::string TemporaryName(const std::string& target) {
    constexpr std::size_t kSuffixLength = 7;
    const std::size_t nameStart = target.rfind('/') + 1; // 0 when there is no folder
    const std::size_t nameLength =
        std::min(target.size() - nameStart, std::size_t{NAME_MAX} - kSuffixLength);
    return target.substr(0, nameStart + nameLength) + '.' + RandomSuffix();
}

// The folder that holds target, "." when target names none.
std::string FolderOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : target.substr(0, slash);
}

// A new file beside target, renamed over it only when complete. Where the file system has
// unnamed files (ext4, xfs, btrfs, tmpfs) it is one until then, so nothing of it stays behind
// even when the program is killed outright; elsewhere (NFS, vfat) it is "target.XXXXXX", known to
// the signal handler and removed unless it was renamed over target.
class TemporaryFile {
public:
    // Created with mode, less the umask; error() says why not.
    TemporaryFile(const std::string& target, mode_t mode) {
#ifdef O_TMPFILE
        fd_ = open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
        if (fd_ >= 0)
            return;
#endif
        constexpr int kAttempts = 100;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const std::string name = TemporaryName(target);
            if (name.size() >= sizeof gTemporaryPath) {
                error_ = ENAMETOOLONG;
                return;
            }
            const CleanupSignalsBlocked blocked;
            fd_ = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_ >= 0) {
                named(name);
                return;
            }
            if (errno != EEXIST) {
                error_ = errno;
                return;
            }
        }
        error_ = EEXIST;
    }
    ~TemporaryFile() {
        if (fd_ >= 0)
            close(fd_);
        const CleanupSignalsBlocked blocked;
        if (gTemporaryExists)
            unlink(gTemporaryPath);
        gTemporaryExists = 0;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const noexcept {
        return fd_;
    }
    [[nodiscard]] int error() const noexcept {
        return error_;
    }

    // Syncs the file and closes it, naming it beside target if it has no name yet, then renames
    // it over target; the system's error, or 0.
    [[nodiscard]] int commit(const std::string& target) {
        if (fsync(fd_) != 0)
            return errno;
        if (!gTemporaryExists) {
            if (const int error = giveName(target))
                return error;
        }
        const int closed = close(fd_);
        fd_ = -1;
        if (closed != 0)
            return errno;
        const CleanupSignalsBlocked blocked;
        if (rename(gTemporaryPath, target.c_str()) != 0)
            return errno;
        gTemporaryExists = 0;
        return 0;
    }

private:
    // Records name for the signal handler; call with the cleanup signals blocked.
    static void named(const std::string& name) {
        std::memcpy(gTemporaryPath, name.c_str(), name.size() + 1);
        gTemporaryExists = 1;
    }

    // Links the unnamed file under a free name "target.XXXXXX"; the system's error, or 0.
    [[nodiscard]] int giveName(const std::string& target) const {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        constexpr int kAttempts = 100;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const std::string name = TemporaryName(target);
            if (name.size() >= sizeof gTemporaryPath)
                return ENAMETOOLONG;
            const CleanupSignalsBlocked blocked;
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                named(name);
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    int fd_ = -1;
    int error_ = 0;
};

// The name path leads to once its symbolic links are followed (it need not exist), or nullopt
// with errno set.
std::optional<std::string> FollowLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int links = 0; links < kMaxLinks; ++links) {
        struct stat status {};
        if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        // A buffer whose size the compiler sees, so that fortify checks the call.
        std::array<char, PATH_MAX> buffer{};
        const ssize_t size = readlink(path.c_str(), buffer.data(), buffer.size());
        if (size < 0)
            return std::nullopt;
        if (static_cast<std::size_t>(size) == buffer.size()) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        const std::string target(buffer.data(), static_cast<std::size_t>(size));
        // A relative link is read from the folder that holds it.
        path = target.starts_with('/') ? target : path.substr(0, path.rfind('/') + 1) + target;
    }
    errno = ELOOP;
    return std::nullopt;
}

std::optional<std::string> WriteDirectly(const std::string& path, const DescriptorWriter& write) {
    const int fd = open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return SystemReason(errno);
    auto failure = write(fd);
    if (close(fd) != 0 && !failure)
        failure = SystemReason(errno);
    return failure;
}

// Writes a new file beside target and renames it over target; replaced is the file there now.
std::optional<std::string> Replace(const std::string& target, const struct stat* replaced,
                                   const DescriptorWriter& write) {
    const CleanupHandlers handlers;
    // A replacement starts private and takes the replaced file's owner and mode before any data
    // goes in; a new file gets what any new file gets.
    TemporaryFile temporary(target, replaced ? S_IRUSR | S_IWUSR : 0666);
    if (temporary.error() != 0)
        return SystemReason(temporary.error());
    if (replaced) {
        // As far as the system lets: only root may give a file away, others may only choose a
        // group of their own, and some file systems keep no owners or modes at all.
        [[maybe_unused]] const bool owned =
            fchown(temporary.fd(), replaced->st_uid, replaced->st_gid) == 0;
        [[maybe_unused]] const bool moded = fchmod(temporary.fd(), replaced->st_mode & 0777) == 0;
    }
    if (auto failure = write(temporary.fd()))
        return failure;
    if (const int error = temporary.commit(target))
        return SystemReason(error);
    return std::nullopt;
}

} // namespace

std::optional<std::string> WriteFileSafely(const std::string& path, const DescriptorWriter& write) {
    if (path.empty())
        return SystemReason(ENOENT);
    struct stat existing {};
    const bool exists = stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return SystemReason(errno);
    if (exists && S_ISDIR(existing.st_mode))
        return SystemReason(EISDIR);
    // A device or pipe cannot be swapped for a new file by a rename, which would destroy it;
    // writing into it is the only way.
    if (exists && !S_ISREG(existing.st_mode))
        return WriteDirectly(path, write);
    // Its mode is honoured even for a user, such as root, whom the system would let replace it.
    if (exists && !(existing.st_mode & S_IWUSR))
        return std::string("The file is read-only.");
    if (exists && access(path.c_str(), W_OK) != 0)
        return SystemReason(errno);
    const auto target = FollowLinks(path);
    if (!target)
        return SystemReason(errno);
    return Replace(*target, exists ? &existing : nullptr, write);
}

} // namespace tessnivar
