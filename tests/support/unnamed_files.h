#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace tessnivar {

// Whether the file system of folder has unnamed files (O_TMPFILE), as ext4 and tmpfs have.
inline bool HasUnnamedFiles(const QString& folder) {
    const int fd = open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY, 0600);
    return fd >= 0 && close(fd) == 0;
}

// From now on this process and what it runs see no /proc, as in a chroot or a minimal sandbox:
// an unnamed file cannot be given a name there, so files are written as on file systems without
// unnamed files (NFS, vfat). For a child process, before it writes; false where it may not have
// mounts of its own (that needs root).
inline bool HideProc() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           umount2("/proc", MNT_DETACH) == 0 && access("/proc/self", F_OK) != 0;
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
