#include "safe_write.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <utility>

namespace tessnivar {

namespace {

const Failure kChanged{"The file was changed by someone else during the write."};

// Whether signal, by default, ends the process: those are the ones that must first remove a
// named temporary file. SIGKILL cannot be caught; the numbers between the classic signals and
// SIGRTMIN belong to the C library.
bool EndsProcessByDefault(int signal) {
    switch (signal) {
    case SIGKILL:
    case SIGSTOP:
    case SIGCHLD:
    case SIGCONT:
    case SIGTSTP:
    case SIGTTIN:
    case SIGTTOU:
    case SIGURG:
    case SIGWINCH:
        return false;
    default:
        return signal < 32 || (signal >= SIGRTMIN && signal <= SIGRTMAX);
    }
}

// The temporary file being written, for the signal handler: its folder and name, set and cleared
// only with the cleanup signals blocked, so the handler never sees half a name.
int gTemporaryFolder = -1;
char gTemporaryName[NAME_MAX + 1];
volatile std::sig_atomic_t gTemporaryExists = 0;
std::array<struct sigaction, NSIG> gPreviousActions{};

void RemoveTemporaryAndResignal(int signal) {
    if (gTemporaryExists)
        unlinkat(gTemporaryFolder, gTemporaryName, 0);
    sigaction(signal, &gPreviousActions[static_cast<std::size_t>(signal)], nullptr);
    // Pending while this handler runs; on return it meets the action the program had, by
    // default ending it so that its parent sees the signal (a shell shows 128 + signal).
    raise(signal);
}

sigset_t CleanupSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal = 1; signal < NSIG; ++signal) {
        if (EndsProcessByDefault(signal))
            sigaddset(&set, signal);
    }
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

// Routes every signal that ends the process through RemoveTemporaryAndResignal for as long as it
// lives. A signal the program ignores, as under nohup, stays ignored. SIGXFSZ at its default is
// ignored instead, so that a write past the file size limit fails as "File too large".
class CleanupHandlers {
public:
    CleanupHandlers() {
        const CleanupSignalsBlocked blocked;
        struct sigaction action {};
        action.sa_handler = RemoveTemporaryAndResignal;
        action.sa_mask = CleanupSignalSet();
        action.sa_flags = SA_RESTART;
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        for (int signal = 1; signal < NSIG; ++signal) {
            if (!EndsProcessByDefault(signal))
                continue;
            auto& previous = gPreviousActions[static_cast<std::size_t>(signal)];
            sigaction(signal, nullptr, &previous);
            const bool ignored =
                !(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_IGN;
            installed_[static_cast<std::size_t>(signal)] = !ignored;
            if (ignored)
                continue;
            const bool fileSizeLimit = signal == SIGXFSZ && !(previous.sa_flags & SA_SIGINFO) &&
                                       previous.sa_handler == SIG_DFL;
            sigaction(signal, fileSizeLimit ? &ignore : &action, nullptr);
        }
    }
    ~CleanupHandlers() {
        const CleanupSignalsBlocked blocked;
        for (int signal = 1; signal < NSIG; ++signal) {
            if (installed_[static_cast<std::size_t>(signal)])
                sigaction(signal, &gPreviousActions[static_cast<std::size_t>(signal)], nullptr);
        }
    }
    CleanupHandlers(const CleanupHandlers&) = delete;
    CleanupHandlers& operator=(const CleanupHandlers&) = delete;

private:
    std::array<bool, NSIG> installed_{};
};

Failure SystemReason(int error) {
    return {std::generic_category().message(error)};
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) noexcept : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    [[nodiscard]] int get() const noexcept { return fd_; }
    [[nodiscard]] bool valid() const noexcept { return fd_ >= 0; }
    // Closes it; the system's error, or 0.
    [[nodiscard]] int close() noexcept {
        const int closed = ::close(std::exchange(fd_, -1));
        return closed == 0 ? 0 : errno;
    }

private:
    int fd_;
};

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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

// name with a random suffix ".XXXXXX", shortened where the suffix would make it longer than a
// folder allows.
std::string TemporaryName(const std::string& name) {
    constexpr std::size_t kSuffixLength = 7;
    return name.substr(0, std::size_t{NAME_MAX} - kSuffixLength) + '.' + RandomSuffix();
}

// The folder part and last name of path: "." for no folder, "." for no name (a trailing "/").
std::pair<std::string, std::string> SplitPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string_view::npos ? "."
                         : slash == 0                    ? "/"
                                                         : std::string(path.substr(0, slash));
    std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    return {std::move(folder), name.empty() ? "." : std::move(name)};
}

// Whether the link described by link, in folder, may be followed. One in a sticky folder that
// others may write, such as /tmp, can be swapped by its owner at any moment for a link to a file
// of this user's: it is followed only when it belongs to this user or to the folder's owner, the
// kernel's own rule for such folders (protected_symlinks), whether or not the system has it on.
bool MayFollow(int folder, const struct stat& link) {
    struct stat status {};
    if (fstat(folder, &status) != 0)
        return false;
    const bool shared = (status.st_mode & S_ISVTX) && (status.st_mode & (S_IWGRP | S_IWOTH));
    return !shared || link.st_uid == geteuid() || link.st_uid == status.st_uid;
}

// A name in a folder held open, so that later calls act on that folder whatever happens to the
// path that led there.
struct Place {
    Descriptor folder;
    std::string name;
};

// Where path leads once the symbolic links of its last name are followed: the folder that holds
// the file (or would hold it) and its name there. The links are read here only to find that
// folder; the caller compares the file found with the one the kernel reached. 0, or errno.
int Locate(const std::string& path, Place& place) {
    auto [folderPath, name] = SplitPath(path);
    Descriptor folder(open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    constexpr int kMaxLinks = 40;
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (!folder.valid())
            return errno;
        struct stat status {};
        if (fstatat(folder.get(), name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISLNK(status.st_mode)) {
            place = {std::move(folder), std::move(name)};
            return 0;
        }
        if (!MayFollow(folder.get(), status))
            return EACCES;
        std::string target(PATH_MAX, '\0');
        const ssize_t size = readlinkat(folder.get(), name.c_str(), target.data(), target.size());
        if (size < 0)
            return errno;
        if (static_cast<std::size_t>(size) == target.size())
            return ENAMETOOLONG;
        target.resize(static_cast<std::size_t>(size));
        // A relative link is read from the folder that holds it.
        auto [linkFolder, linkName] = SplitPath(target);
        folder = Descriptor(openat(target.starts_with('/') ? AT_FDCWD : folder.get(),
                                   linkFolder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
        name = std::move(linkName);
    }
    return ELOOP;
}

// A new file in place's folder, renamed over its name only when complete. Where the file system
// has unnamed files (ext4, xfs, btrfs, tmpfs) and /proc lets one be linked, it is one until then;
// elsewhere (NFS, vfat, no /proc) it is "NAME.XXXXXX", known to the signal handler and removed
// unless it was renamed over the target.
class TemporaryFile {
public:
    // Created with mode, less the umask; error() says why not.
    TemporaryFile(const Place& place, mode_t mode) : place_(place) {
        fd_ = Descriptor(openat(place.folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
        if (fd_.valid()) {
            self_ = "/proc/self/fd/" + std::to_string(fd_.get());
            if (faccessat(AT_FDCWD, self_.c_str(), F_OK, AT_SYMLINK_NOFOLLOW) == 0)
                return;
            fd_ = Descriptor();
            self_.clear();
        }
        error_ = createNamed(mode);
    }
    ~TemporaryFile() {
        fd_ = Descriptor();
        const CleanupSignalsBlocked blocked;
        if (gTemporaryExists)
            unlinkat(gTemporaryFolder, gTemporaryName, 0);
        gTemporaryExists = 0;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    [[nodiscard]] int fd() const noexcept { return fd_.get(); }
    [[nodiscard]] int error() const noexcept { return error_; }

    // Syncs the file and puts it in the target's place, provided the name still leads to
    // replaced (or, when nullptr, to nothing), then syncs the folder. The system's error, -1 when
    // the name changed, or 0.
    [[nodiscard]] int commit(const struct stat* replaced) {
        if (fsync(fd_.get()) != 0)
            return errno;
        struct stat now {};
        const bool taken = fstatat(folder(), place_.name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0;
        if (taken != (replaced != nullptr) || (taken && !SameFile(now, *replaced)))
            return -1;
        if (!self_.empty()) {
            // A new name is made in one step, and fails if someone took it meanwhile.
            if (!replaced) {
                if (linkat(AT_FDCWD, self_.c_str(), folder(), place_.name.c_str(),
                           AT_SYMLINK_FOLLOW) != 0)
                    return errno == EEXIST ? -1 : errno;
                return closeAndSyncFolder();
            }
            if (const int error = giveName())
                return error;
        }
        if (const int error = fd_.close())
            return error;
        {
            const CleanupSignalsBlocked blocked;
            if (renameat(folder(), gTemporaryName, folder(), place_.name.c_str()) != 0)
                return errno;
            gTemporaryExists = 0;
        }
        return closeAndSyncFolder();
    }

private:
    [[nodiscard]] int folder() const noexcept { return place_.folder.get(); }

    // Records name for the signal handler; call with the cleanup signals blocked.
    void named(const std::string& name) const {
        std::memcpy(gTemporaryName, name.c_str(), name.size() + 1);
        gTemporaryFolder = folder();
        gTemporaryExists = 1;
    }

    int createNamed(mode_t mode) {
        constexpr int kAttempts = 100;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const std::string name = TemporaryName(place_.name);
            const CleanupSignalsBlocked blocked;
            fd_ = Descriptor(
                openat(folder(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            if (fd_.valid()) {
                named(name);
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    // Links the unnamed file under a free name "NAME.XXXXXX"; the system's error, or 0.
    [[nodiscard]] int giveName() const {
        constexpr int kAttempts = 100;
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const std::string name = TemporaryName(place_.name);
            const CleanupSignalsBlocked blocked;
            if (linkat(AT_FDCWD, self_.c_str(), folder(), name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                named(name);
                return 0;
            }
            if (errno != EEXIST)
                return errno;
        }
        return EEXIST;
    }

    // The new name lasts a power cut only once the folder is synced. A folder this user may not
    // read cannot be opened to sync; some file systems cannot sync one (EINVAL).
    [[nodiscard]] int closeAndSyncFolder() {
        if (fd_.valid()) {
            if (const int error = fd_.close())
                return error;
        }
        const Descriptor folderForSync(openat(folder(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folderForSync.valid() && fsync(folderForSync.get()) != 0 && errno != EINVAL)
            return errno;
        return 0;
    }

    const Place& place_;
    Descriptor fd_;
    std::string self_;
    int error_ = 0;
};

// Writes into a device or pipe, which a rename would destroy; reached is the file the kernel
// found at path.
Status WriteDirectly(const std::string& path, const struct stat& reached,
                     const DescriptorWriter& write) {
    Descriptor fd(open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!fd.valid())
        return SystemReason(errno);
    struct stat opened {};
    if (fstat(fd.get(), &opened) != 0 || !SameFile(opened, reached))
        return kChanged;
    Status written = write(fd.get());
    if (const int error = fd.close(); error != 0 && written.ok())
        return SystemReason(error);
    return written;
}

// Writes a new file in place and renames it over the name; replaced is the file there now.
Status Replace(const Place& place, const struct stat* replaced, const DescriptorWriter& write) {
    const CleanupHandlers handlers;
    // A replacement starts private and takes the replaced file's owner and mode before any data
    // goes in; a new file gets what any new file gets.
    TemporaryFile temporary(place, replaced ? S_IRUSR | S_IWUSR : 0666);
    if (temporary.error() != 0)
        return SystemReason(temporary.error());
    if (replaced) {
        // As far as the system lets: only root may give a file away, others may keep its group
        // when they belong to it, and some file systems keep no owners or modes at all.
        [[maybe_unused]] const bool owned =
            fchown(temporary.fd(), replaced->st_uid, replaced->st_gid) == 0 ||
            fchown(temporary.fd(), static_cast<uid_t>(-1), replaced->st_gid) == 0;
        [[maybe_unused]] const bool moded = fchmod(temporary.fd(), replaced->st_mode & 0777) == 0;
    }
    if (Status written = write(temporary.fd()); !written.ok())
        return written;
    if (const int error = temporary.commit(replaced)) {
        if (error < 0)
            return kChanged;
        return SystemReason(error);
    }
    return Done{};
}

} // namespace

Status WriteFileSafely(const std::string& path, const DescriptorWriter& write) {
    if (path.empty())
        return SystemReason(ENOENT);
    // The kernel follows the links, under its own rules for links in shared folders.
    struct stat reached {};
    const bool exists = stat(path.c_str(), &reached) == 0;
    if (!exists && errno != ENOENT)
        return SystemReason(errno);
    if (exists && S_ISDIR(reached.st_mode))
        return SystemReason(EISDIR);
    // Also where the file is a device, which another user's link must not lead to either.
    Place place;
    if (const int error = Locate(path, place))
        return SystemReason(error);
    if (exists && !S_ISREG(reached.st_mode))
        return WriteDirectly(path, reached, write);
    // A file nobody may write is refused, even for root, whom the system would let replace it.
    if (exists && !(reached.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)))
        return Failure{"The file is read-only."};

    struct stat located {};
    const bool found =
        fstatat(place.folder.get(), place.name.c_str(), &located, AT_SYMLINK_NOFOLLOW) == 0;
    // The name must lead where the kernel went: a link swapped in between is not followed.
    if (exists && !found) // as for a descriptor's link in /proc to a deleted file
        return SystemReason(ENOENT);
    if (found != exists || (found && !SameFile(located, reached)))
        return kChanged;
    if (exists && faccessat(place.folder.get(), place.name.c_str(), W_OK,
                            AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
        return SystemReason(errno);
    return Replace(place, exists ? &located : nullptr, write);
}

Status WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        // A write that takes nothing would never end; the system gives no reason for it.
        if (written <= 0)
            return SystemReason(written < 0 ? errno : EIO);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return Done{};
}

} // namespace tessnivar
