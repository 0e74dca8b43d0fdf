// How a report file replaces what was there: the write behind the window's Write File and the
// command-line tool's -o.
#include "report_files.h"
#include "safe_write.h"

#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

using namespace tessnivar;

namespace {

const ReportFields kFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};

// From now on this process sees no /proc, as in a chroot or a minimal sandbox, where an unnamed
// file cannot be given a name. False where it may not have mounts of its own (that needs root).
bool HideProc() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           umount2("/proc", MNT_DETACH) == 0 && access("/proc/self", F_OK) != 0;
}

// Runs act in a child process; how the child ended.
QString InChild(const std::function<int()>& act) {
    const pid_t child = fork();
    if (child == 0)
        _exit(act());
    int status = -1;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? QString("signal %1").arg(WTERMSIG(status))
                               : QString("exit %1").arg(WEXITSTATUS(status));
}

// Whether act returned true, run as user 65534 (nobody) with the extra groups given.
bool AsAnotherUser(const std::vector<gid_t>& groups, const std::function<bool()>& act) {
    const auto asNobody = [&] {
        return setgroups(groups.size(), groups.data()) == 0 && setgid(65534) == 0 &&
               setuid(65534) == 0 && act();
    };
    return InChild([&] { return asNobody() ? 0 : 1; }) == "exit 0";
}

} // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    QByteArray bytes(const QString& name) const { return QFile::encodeName(path(name)); }
    qint64 size(const QString& name) const { return QFileInfo(path(name)).size(); }
    QStringList files() const {
        return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

    // Writes the worked example's report, as CSV (651 bytes) when csv, else as text (832 bytes),
    // to name; why not, or nothing.
    QString write(const QString& name, bool csv = false) const {
        const Status written =
            WriteReportFile(path(name), csv ? ReportForm::Csv : ReportForm::Text, kFields,
                            *ComputeReportFigures(kFields), SubnetRows({{192, 168, 1, 0}}, 64, 4));
        return written.ok() ? QString() : path(name) + ": " + written.error().reason.c_str();
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // What Ctrl+C, a logout or a kill does halfway through replacing a file of the longest name a
    // folder holds, in a child process. SIGKILL cannot be caught: only an unnamed file (O_TMPFILE)
    // is sure to leave nothing behind, so a named one where an unnamed one can be made is left
    // here. Without /proc (which needs root to hide) the new file is named beside its target, as
    // on file systems without unnamed files (if not, the child ends with status 2). An ignored
    // signal, as under nohup, stays ignored: the file is replaced by what the writer wrote,
    // nothing.
    void stoppedWriteLeavesTheOldFileAndNothingElse_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("named");
        for (const int signal : {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGUSR1, SIGALRM, SIGKILL}) {
            QTest::addRow("SIG%s, unnamed", sigabbrev_np(signal)) << signal << false;
            if (signal != SIGKILL)
                QTest::addRow("SIG%s, named", sigabbrev_np(signal)) << signal << true;
        }
        QTest::addRow("SIGINT ignored, named") << -SIGINT << true;
    }
    void stoppedWriteLeavesTheOldFileAndNothingElse() {
        QFETCH(int, signal);
        QFETCH(bool, named);
        const QString name(NAME_MAX, 'n');
        QCOMPARE(write(name, true), QString());
        const QString ended = InChild([&] {
            if (named ? !HideProc() : open(bytes(".").constData(), O_TMPFILE | O_WRONLY, 0600) < 0)
                return 4;
            // As a program starts, not with the test runner's crash handler.
            std::signal(std::abs(signal), signal < 0 ? SIG_IGN : SIG_DFL);
            const Status written = WriteFileSafely(bytes(name).toStdString(), [&](int) {
                if (named && files().size() != 2)
                    _exit(2);
                raise(std::abs(signal));
                return Status(Done{});
            });
            return written.ok() ? 0 : 1;
        });
        if (ended == "exit 4")
            QSKIP(named ? "hiding /proc needs root" : "the temporary folder has no unnamed files");
        QCOMPARE(ended, signal < 0 ? "exit 0" : QString("signal %1").arg(signal));
        QCOMPARE(size(name), signal < 0 ? 0 : 651);
        QCOMPARE(files(), QStringList{name});
    }

    // A full disk (here a file size limit, which holds root too) and a read-only file, also for
    // root: the old file stays as it was, nothing else is left, and the failure says why. A pipe
    // is written into, not replaced.
    void failedWriteKeepsTheOldFileAndSaysWhy() {
        QCOMPARE(write("plan.txt", true), QString());
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{700, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limited);
        const QString tooLarge = write("plan.txt");
        setrlimit(RLIMIT_FSIZE, &saved);
        QCOMPARE(tooLarge, path("plan.txt") + ": File too large");
        QVERIFY(QFile::setPermissions(path("plan.txt"), QFileDevice::ReadOwner));
        QCOMPARE(write("plan.txt"), path("plan.txt") + ": The file is read-only.");
        QCOMPARE(size("plan.txt"), 651);
        QCOMPARE(files(), QStringList{"plan.txt"});

        // Both ends open here, so that neither waits for the other.
        QCOMPARE(mkfifo(bytes("pipe").constData(), 0600), 0);
        QFile pipe;
        QVERIFY(pipe.open(open(bytes("pipe").constData(), O_RDWR | O_NONBLOCK), QIODevice::ReadOnly,
                          QFileDevice::AutoCloseHandle));
        QCOMPARE(write("pipe"), QString());
        QCOMPARE(pipe.read(1000).size(), 832);
    }

    // As text editors do: the mode stays; a symbolic link stays a link to the new plan, even to a
    // name not yet taken, and the other names of a hard-linked file keep what they had. The
    // longest path the system takes is written too.
    void replacedFileKeepsModeAndLinks() {
        QString longest;
        while (PATH_MAX - 1 - path(longest).size() > NAME_MAX)
            longest += QString(200, 'd') + '/';
        QVERIFY(QDir().mkpath(path(longest)));
        longest += QString(PATH_MAX - 1 - path(longest).size(), 'x');
        QCOMPARE(write(longest, true) + write("plan.txt", true), QString());
        const auto mode = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path("plan.txt"), mode));
        QCOMPARE(link(bytes("plan.txt").constData(), bytes("copy.txt").constData()), 0);
        QVERIFY(QFile::link("plan.txt", path("latest")) && QFile::link("later.txt", path("next")));

        QCOMPARE(write("latest") + write("next") + write(longest), QString());
        QCOMPARE(
            QList<qint64>({size("plan.txt"), size("later.txt"), size(longest), size("copy.txt")}),
            QList<qint64>({832, 832, 832, 651}));
        QCOMPARE(files(), (QStringList{"copy.txt", "later.txt", "latest", "next", "plan.txt"}));
        // The user's own access bits say nothing about the file.
        QCOMPARE(QFileInfo(path("plan.txt")).permissions() & ~QFileDevice::Permissions(0x0F00),
                 mode);
    }

    // Root keeps a file's owner and group. Another user may replace a file their group may write,
    // not one only its owner may, and it keeps its group, so that its owner can still write it. In
    // a folder all may write, such as /tmp, another user swaps their file for a link to one of
    // root's while root writes: the link is not written through, nor replaced, nor followed
    // later, whatever the kernel's rule.
    void anotherUsersFilesAreWrittenOnlyAsTheirs() {
        if (geteuid() != 0)
            QSKIP("acting as another user needs root");
        QCOMPARE(write("plan.txt", true) + write("root.txt", true), QString());
        QCOMPARE(chmod(bytes(".").constData(), 0777), 0);
        QCOMPARE(chown(bytes("plan.txt").constData(), 4242, 4343), 0);
        QCOMPARE(chmod(bytes("plan.txt").constData(), 0460), 0);
        QVERIFY(AsAnotherUser({4343}, [this] { return write("plan.txt").isEmpty(); }));
        QVERIFY(AsAnotherUser(
            {}, [this] { return write("root.txt") == path("root.txt") + ": Permission denied"; }));
        QCOMPARE(write("plan.txt"), QString());
        const QFileInfo plan(path("plan.txt"));
        QCOMPARE(QString("%1:%2 %3").arg(plan.ownerId()).arg(plan.groupId()).arg(plan.size()),
                 "65534:4343 832");

        QCOMPARE(chmod(bytes(".").constData(), 01777), 0);
        QVERIFY(AsAnotherUser({}, [this] { return write("z", true).isEmpty(); }));
        const Status written = WriteFileSafely(bytes("z").toStdString(), [&](int) {
            AsAnotherUser({}, [&] {
                return symlink(bytes("root.txt").constData(), bytes("link").constData()) == 0 &&
                       rename(bytes("link").constData(), bytes("z").constData()) == 0;
            });
            return Status(Done{});
        });
        QCOMPARE(written.error().reason, "The file was changed by someone else during the write.");
        QCOMPARE(write("z"), path("z") + ": Permission denied");
        QCOMPARE(size("root.txt"), 651);
        QCOMPARE(files(), (QStringList{"plan.txt", "root.txt", "z"}));
    }
};

QTEST_APPLESS_MAIN(SafeWriteTest)
#include "test_safe_write.moc"
