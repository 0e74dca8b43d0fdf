// Where tessnivar-report puts its output, and what it does to the caller's files when a write
// fails or is stopped.
#include "tool_run.h"
#include "unnamed_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace tessnivar;

namespace {

// The report of 192.168.1.0 with 2 bits borrowed, as written to standard output.
QByteArray WorkedExample() {
    const ToolRun run = RunTool({"192.168.1.0", "2"});
    if (run.exitCode != 0 || run.out.size() != 832)
        qFatal("the worked example was not written");
    return run.out;
}

struct stat StatusOf(const QString& path) {
    struct stat status {};
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        qFatal("no file %s", qPrintable(path));
    return status;
}

} // namespace

class ReportToolOutputTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    QStringList files() const {
        return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // The shell opened the stream, perhaps to append or after output of its own; replacing the
    // file behind it would lose what is there and cut off what comes after.
    void ownStandardStreamIsWrittenWhereTheShellOpenedIt_data() {
        QTest::addColumn<QString>("script");
        QTest::newRow("/dev/stdout, appending") << R"("$0" -o /dev/stdout 192.168.1.0 2 >>log)";
        QTest::newRow("/dev/fd/1, appending") << R"("$0" -o /dev/fd/1 192.168.1.0 2 >>log)";
        QTest::newRow("the file's own name, appending") << R"("$0" -o ./log 192.168.1.0 2 >>log)";
        QTest::newRow("/dev/stderr, appending") << R"("$0" -o /dev/stderr 192.168.1.0 2 2>>log)";
        QTest::newRow("/dev/stdout, between the shell's own lines")
            << R"((echo header; "$0" -o /dev/stdout 192.168.1.0 2; echo footer) >>log)";
    }
    void ownStandardStreamIsWrittenWhereTheShellOpenedIt() {
        QFETCH(QString, script);
        WriteAll(path("log"), "old\n");
        const ToolRun run = RunShell(script, dir_->path());
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        const bool framed = script.contains("header");
        QCOMPARE(ReadAll(path("log")), "old\n" + QByteArray(framed ? "header\n" : "") +
                                           WorkedExample() + QByteArray(framed ? "footer\n" : ""));
        QCOMPARE(files(), QStringList{"log"});
    }

    void fileNameReachesTheSystemAsTheBytesGiven() {
        // Byte 0xFF is never UTF-8; QProcess cannot pass it, printf can.
        const ToolRun run =
            RunShell(R"sh("$0" -o "$(printf 'r\377.txt')" 192.168.1.0 2)sh", dir_->path());
        QCOMPARE(run.exitCode, 0);
        const QByteArray name = QFile::encodeName(dir_->path()) + "/r\xff.txt";
        QVERIFY2(access(name.constData(), F_OK) == 0, qPrintable(files().join(", ")));
        // QDir lists only names that are UTF-8, so nothing was written under a mended name; nor
        // can it remove this one.
        QCOMPARE(files(), QStringList());
        QCOMPARE(unlink(name.constData()), 0);
    }

    void everyFailedWriteIsExitThreeWithTheReason_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("--help") << QStringList{"--help"};
        QTest::newRow("--version") << QStringList{"--version"};
        QTest::newRow("report") << QStringList{"192.168.1.0", "2"};
        QTest::newRow("report to -o /dev/stdout")
            << QStringList{"-o", "/dev/stdout", "10.0.0.0", "2"};
    }
    void everyFailedWriteIsExitThreeWithTheReason() {
        QFETCH(QStringList, arguments);
        QProcess process;
        process.setStandardOutputFile(QStringLiteral("/dev/full"));
        const ToolRun run = RunProgram(process, ToolPath(), arguments);
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(run.err, "tessnivar-report: cannot write the standard output: No space left on "
                          "device\n");
    }

    void readOnlyFileIsLeftUnchanged() {
        const QString target = path("kept.txt");
        WriteAll(target, "an earlier plan\n");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup));

        const ToolRun run = RunTool({"--csv", "-o", target, "10.0.0.0", "8"});
        QCOMPARE(run.exitCode, 3);
        QCOMPARE(run.err, "tessnivar-report: cannot write " + QFile::encodeName(target) +
                              ": The file is read-only.\n");
        QCOMPARE(ReadAll(target), "an earlier plan\n");
        QCOMPARE(files(), QStringList{"kept.txt"});
    }

    // A user stopping the tool must not be left with half a report or a temporary file; the
    // status shows the signal, so that a calling script stops too. Where the file system has no
    // unnamed files the report is written beside FILE under a name of its own, which the tool
    // removes; a kill, which it cannot catch, leaves nothing only where it has.
    void stoppedWriteLeavesTheOldFileAndNoTemporary_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("unnamed");
        QTest::newRow("SIGINT") << SIGINT << true;
        QTest::newRow("SIGTERM") << SIGTERM << true;
        QTest::newRow("SIGKILL") << SIGKILL << true;
        QTest::newRow("SIGINT, no unnamed files") << SIGINT << false;
        QTest::newRow("SIGTERM, no unnamed files") << SIGTERM << false;
    }
    void stoppedWriteLeavesTheOldFileAndNoTemporary() {
        QFETCH(int, signal);
        QFETCH(bool, unnamed);
        if (unnamed && !HasUnnamedFiles(dir_->path()))
            QSKIP("the file system of the temporary folder has no unnamed files");
        const QString target = path("plan.csv");
        WriteAll(target, "an earlier plan\n");
        // The largest plan: about 150 MB, long enough to be stopped halfway.
        QProcess process;
        if (!unnamed)
            process.setChildProcessModifier([] {
                if (!DenyUnnamedFiles())
                    _exit(4);
            });
        process.start(ToolPath(), {"--csv", "-o", target, "10.0.0.0", "22"});
        QVERIFY(process.waitForStarted());
        const auto writing = [&] {
            return unnamed ? WritesUnlistedFileIn(process.processId(), dir_->path())
                           : QDir(dir_->path()).entryList({"plan.csv.*"}, QDir::Files).size() == 1;
        };
        bool seen = false;
        while (!seen && !process.waitForFinished(0))
            seen = writing();
        QVERIFY2(seen, "the report was not written as a file of its own first");
        QCOMPARE(kill(static_cast<pid_t>(process.processId()), signal), 0);
        QVERIFY(process.waitForFinished(-1));

        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        QCOMPARE(process.exitCode(), signal); // the signal number, as the shell shows 128 + it
        QCOMPARE(ReadAll(target), "an earlier plan\n");
        QCOMPARE(files(), QStringList{"plan.csv"});
    }

    void replacedFileKeepsItsModeAndForRootItsOwner() {
        const QString target = path("shared.txt");
        WriteAll(target, "an earlier plan\n");
        QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup));
        const bool root = geteuid() == 0;
        // Another user's file, as root finds it in a shared folder.
        constexpr uid_t kOwner = 4242;
        constexpr gid_t kGroup = 4343;
        if (root)
            QCOMPARE(chown(QFile::encodeName(target).constData(), kOwner, kGroup), 0);

        QCOMPARE(RunTool({"-o", target, "192.168.1.0", "2"}).exitCode, 0);
        QCOMPARE(ReadAll(target), WorkedExample());
        const struct stat status = StatusOf(target);
        QCOMPARE(status.st_mode & 07777, mode_t{0640});
        if (!root)
            QSKIP("the owner and group are kept for root only");
        QCOMPARE(status.st_uid, kOwner);
        QCOMPARE(status.st_gid, kGroup);
    }
};

QTEST_GUILESS_MAIN(ReportToolOutputTest)
#include "test_report_tool_output.moc"
