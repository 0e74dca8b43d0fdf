#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstddef>
#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace tessnivar {

// Whether the file system of folder has unnamed files (O_TMPFILE), as ext4 and tmpfs have.
inline bool HasUnnamedFiles(const QString& folder) {
    const int fd = open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    return fd >= 0 && close(fd) == 0;
}

// From now on this process and what it runs can make no unnamed file, as on a file system without
// them (NFS, vfat): asking for one fails with EOPNOTSUPP. For a child process, before it writes.
// The filter does not look at the architecture of a call: a test makes native calls only.
inline bool DenyUnnamedFiles() {
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __NR_openat, 0, 3),
        // The low half of openat's flags, on a little-endian machine, and the one bit of
        // O_TMPFILE that is not O_DIRECTORY.
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])),
        BPF_JUMP(BPF_JMP | BPF_JSET | BPF_K, O_TMPFILE & ~O_DIRECTORY, 0, 1),
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
    const QDir descriptors(QString("/proc/%1/fd").arg(pid));
    const QString prefix = QFileInfo(folder).canonicalFilePath() + '/';
    for (const QString& fd :
         descriptors.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        const QString target = QFile::symLinkTarget(descriptors.filePath(fd));
        if (target.startsWith(prefix) && target.endsWith(" (deleted)"))
            return true;
    }
    return false;
}

} // namespace tessnivar
