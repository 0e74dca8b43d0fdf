// How a report file replaces what was there: the write behind the window's Write File and the
// command-line tool's -o.
#include "report_files.h"
#include "safe_write.h"
#include "unnamed_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tessnivar;

namespace {

const ReportFields kFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};
const ReportFigures kFigures = *ComputeReportFigures(kFields);

const SubnetRows kRows({{192, 168, 1, 0}}, 64, 4);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& contents) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(path));
}

struct stat StatusOf(const QString& path) {
    struct stat status {};
    if (lstat(QFile::encodeName(path).constData(), &status) != 0)
        qFatal("no file %s", qPrintable(path));
    return status;
}

// How the file being written is kept until it is complete: unnamed where the file system has
// such files, or named beside its target as on file systems without them.
enum class Temporary { Unnamed, Named };

// Writes path in a child process as the program would, the writing stopped by signal once the
// first bytes are in: what a user's Ctrl+C, a logout or a kill does halfway through a large plan.
// Before the signal the child ends with status 2 unless the file being written is kept as
// temporary says. How the child ended.
int WaitStatusOfWrite(const QString& path, Temporary temporary, bool ignoreSignal, int signal) {
    const pid_t child = fork();
    if (child == 0) {
        if (temporary == Temporary::Named && !DenyUnnamedFiles())
            _exit(4);
        // As a program starts, not with the test runner's crash handler.
        std::signal(signal, ignoreSignal ? SIG_IGN : SIG_DFL);
        const QFileInfo target(path);
        const auto failure = WriteFileSafely(QFile::encodeName(path).toStdString(), [&](int fd) {
            const char firstBytes[] = "Tessnivar v 1.0 -- by Brolwick\r\n";
            if (write(fd, firstBytes, sizeof firstBytes - 1) < 0)
                _exit(3);
            const qsizetype named =
                target.dir().entryList({target.fileName() + ".*"}, QDir::Files).size();
            const bool kept = temporary == Temporary::Named
                                  ? named == 1
                                  : named == 0 && WritesUnlistedFileIn(getpid(), target.path());
            if (!kept)
                _exit(2);
            raise(signal);
            return std::optional<std::string>();
        });
        _exit(failure ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        qFatal("no child process");
    return status;
}

} // namespace

Q_DECLARE_METATYPE(Temporary)

class SafeWriteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    QStringList files() const {
        return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void stoppedWriteLeavesTheOldFileAndNothingElse_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<Temporary>("temporary");
        for (const auto& [name, temporary] :
             {std::pair("unnamed", Temporary::Unnamed), std::pair("named", Temporary::Named)}) {
            QTest::addRow("SIGHUP, %s", name) << SIGHUP << temporary;
            QTest::addRow("SIGINT, %s", name) << SIGINT << temporary;
            QTest::addRow("SIGTERM, %s", name) << SIGTERM << temporary;
        }
        // A kill cannot be caught: only an unnamed file is sure to leave nothing behind.
        QTest::addRow("SIGKILL, unnamed") << SIGKILL << Temporary::Unnamed;
    }
    void stoppedWriteLeavesTheOldFileAndNothingElse() {
        QFETCH(int, signal);
        QFETCH(Temporary, temporary);
        if (temporary == Temporary::Unnamed && !HasUnnamedFiles(dir_->path()))
            QSKIP("the file system of the temporary folder has no unnamed files");
        WriteAll(path("plan.csv"), "an earlier plan\n");
        const int status = WaitStatusOfWrite(path("plan.csv"), temporary, false, signal);
        QVERIFY2(!WIFEXITED(status) || WEXITSTATUS(status) != 2,
                 "the file was not kept as expected while it was written");
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(ReadAll(path("plan.csv")), "an earlier plan\n");
        QCOMPARE(files(), QStringList{"plan.csv"});
    }

    void ignoredSignalStaysIgnoredAndTheWriteCompletes() {
        const int status = WaitStatusOfWrite(path("plan.csv"), Temporary::Named, true, SIGINT);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(files(), QStringList{"plan.csv"});

        // Once written, the program's own signal actions are back.
        struct sigaction before {};
        sigaction(SIGTERM, nullptr, &before);
        QVERIFY(!WriteTextReport(path("plan.txt"), kFields, kFigures, kRows));
        struct sigaction after {};
        sigaction(SIGTERM, nullptr, &after);
        QCOMPARE(reinterpret_cast<void*>(after.sa_handler),
                 reinterpret_cast<void*>(before.sa_handler));
    }

    void replacedFileKeepsItsModeAndForRootItsOwner() {
        const QString target = path("shared.txt");
        WriteAll(target, "an earlier plan\n");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
        const bool root = geteuid() == 0;
        constexpr uid_t kOwner = 4242;
        constexpr gid_t kGroup = 4343;
        if (root)
            QCOMPARE(chown(QFile::encodeName(target).constData(), kOwner, kGroup), 0);

        QVERIFY(!WriteTextReport(target, kFields, kFigures, kRows));
        QCOMPARE(ReadAll(target).size(), 832);
        const struct stat status = StatusOf(target);
        QCOMPARE(status.st_mode & 07777, mode_t{0640});
        if (!root)
            QSKIP("the owner and group are kept for root only");
        QCOMPARE(status.st_uid, kOwner);
        QCOMPARE(status.st_gid, kGroup);
    }

    // As text editors do: a link to a plan stays a link to the new plan, and the other names of
    // a hard-linked file keep what they had.
    void symbolicLinkIsFollowedAndHardLinksAreSeparated() {
        WriteAll(path("plan.txt"), "an earlier plan\n");
        QVERIFY(QFile::link("plan.txt", path("latest")));
        QCOMPARE(link(QFile::encodeName(path("plan.txt")).constData(),
                      QFile::encodeName(path("copy.txt")).constData()),
                 0);

        QVERIFY(!WriteTextReport(path("latest"), kFields, kFigures, kRows));
        QVERIFY(S_ISLNK(StatusOf(path("latest")).st_mode));
        QCOMPARE(ReadAll(path("plan.txt")).size(), 832);
        QCOMPARE(ReadAll(path("copy.txt")), "an earlier plan\n");

        // A link to a name not yet taken makes the file it names.
        QVERIFY(QFile::link("later.txt", path("next")));
        QVERIFY(!WriteCsvReport(path("next"), kFields, kFigures, kRows));
        QVERIFY(S_ISLNK(StatusOf(path("next")).st_mode));
        QCOMPARE(ReadAll(path("later.txt")).size(), 651);
        QCOMPARE(files(), (QStringList{"copy.txt", "later.txt", "latest", "next", "plan.txt"}));
    }

    void longestNameAFolderHoldsIsWritten() {
        const QString name(255, 'x');
        WriteAll(path(name), "an earlier plan\n");
        QVERIFY(!WriteTextReport(path(name), kFields, kFigures, kRows));
        QCOMPARE(ReadAll(path(name)).size(), 832);
        QCOMPARE(files(), QStringList{name});
    }
};

QTEST_APPLESS_MAIN(SafeWriteTest)
#include "test_safe_write.moc"
