#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <dirent.h>
#include <fcntl.h>
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tessnivar {

// Whether the file system of folder has unnamed files (O_TMPFILE), as ext4 and tmpfs have.
inline bool HasUnnamedFiles(const QString& folder) {
    const int fd = open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

// From now on this process and what it runs can make no unnamed file, as on a file system without
// them (NFS, vfat): asking for one fails with EOPNOTSUPP. For a child process, before it writes.
inline bool DenyUnnamedFiles() {
#if defined(__x86_64__)
    constexpr unsigned kArchitecture = AUDIT_ARCH_X86_64;
#elif defined(__aarch64__)
    constexpr unsigned kArchitecture = AUDIT_ARCH_AARCH64;
#else
#error "DenyUnnamedFiles knows no system call numbers for this architecture"
#endif
    // The low half of openat's flags, on a little-endian machine, and the one bit of O_TMPFILE
    // that is not O_DIRECTORY.
    constexpr unsigned kFlagsLow = offsetof(seccomp_data, args[2]);
    constexpr unsigned kUnnamedFlag = O_TMPFILE & ~O_DIRECTORY;
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kArchitecture, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, kFlagsLow),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, kUnnamedFlag, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | EOPNOTSUPP),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
    };
    const sock_fprog filter{static_cast<unsigned short>(std::size(program)), program};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
           prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

// Whether process pid has a file open in folder that is not in its listing: an unnamed file, or a
// named one removed, being written.
inline bool WritesUnlistedFileIn(qint64 pid, const QString& folder) {
    const QByteArray descriptors = QFile::encodeName(QString("/proc/%1/fd").arg(pid));
    const QByteArray prefix = QFile::encodeName(QFileInfo(folder).canonicalFilePath()) + '/';
    DIR* listing = opendir(descriptors.constData());
    if (!listing)
        return false;
    bool found = false;
    while (const dirent* entry = readdir(listing)) {
        char target[PATH_MAX];
        const QByteArray link = descriptors + '/' + entry->d_name;
        const ssize_t size = readlink(link.constData(), target, sizeof target);
        const QByteArray path(target, size > 0 ? size : 0);
        found = found || (path.startsWith(prefix) && path.endsWith(" (deleted)"));
    }
    closedir(listing);
    return found;
}

} // namespace tessnivar
