// How a report file replaces what was there: the write behind the window's Write File and the
// command-line tool's -o.
#include "report_files.h"
#include "subnet_enumeration.h"
#include "subnet_row_store.h"

#include <QDir>
#include <QFile>
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

SubnetRowStore WorkedExampleRows() {
    SubnetRowStore store;
    EnumerateSubnets({{192, 168, 1, 0}}, 64, 4,
                     [&store](const SubnetRow& row) { store.append(row); });
    return store;
}

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

// Rows that stop the writing process with a signal once the first have been handed over: what a
// user's Ctrl+C or a logout does halfway through a large plan. Before the signal it ends the
// process with status 2 unless the file being written is one the signal handler can remove.
class RowsStoppedBySignal final : public ReportRows {
public:
    RowsStoppedBySignal(int signal, QString folder, QString temporaryPattern)
        : signal_(signal), folder_(std::move(folder)), pattern_(std::move(temporaryPattern)) {}

    std::size_t size() const override { return 1000; }
    void forEach(const std::function<void(const SubnetRow&)>& visit) const override {
        const SubnetRow row{};
        for (int i = 0; i < 10; ++i)
            visit(row);
        if (QDir(folder_).entryList({pattern_}, QDir::Files).size() != 1)
            _exit(2);
        raise(signal_);
        for (int i = 10; i < 1000; ++i)
            visit(row);
    }

private:
    int signal_;
    QString folder_;
    QString pattern_;
};

// Writes the report of rows to path in a child process; how the child ended.
int WaitStatusOfWrite(const QString& path, const ReportRows& rows, bool ignoreSignal, int signal) {
    const pid_t child = fork();
    if (child == 0) {
        // As a program starts, not with the test runner's crash handler.
        std::signal(signal, ignoreSignal ? SIG_IGN : SIG_DFL);
        const auto failure = WriteReportFile(QFile::encodeName(path).toStdString(), ReportForm::Csv,
                                             kFields, kFigures, rows);
        _exit(failure ? 1 : 0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        qFatal("no child process");
    return status;
}

} // namespace

class SafeWriteTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    QStringList files() const {
        return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    void signalDuringTheWriteRemovesTheTemporaryAndEndsTheProgram_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGHUP") << SIGHUP;
        QTest::newRow("SIGINT") << SIGINT;
        QTest::newRow("SIGTERM") << SIGTERM;
    }
    void signalDuringTheWriteRemovesTheTemporaryAndEndsTheProgram() {
        QFETCH(int, signal);
        WriteAll(path("plan.csv"), "an earlier plan\n");
        const int status = WaitStatusOfWrite(
            path("plan.csv"), RowsStoppedBySignal(signal, dir_->path(), "plan.csv.*"), false,
            signal);
        QVERIFY2(!WIFEXITED(status) || WEXITSTATUS(status) != 2,
                 "the file was not written under a name beside it");
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), signal);
        QCOMPARE(ReadAll(path("plan.csv")), "an earlier plan\n");
        QCOMPARE(files(), QStringList{"plan.csv"});
    }

    void ignoredSignalStaysIgnoredAndTheWriteCompletes() {
        const int status = WaitStatusOfWrite(
            path("plan.csv"), RowsStoppedBySignal(SIGINT, dir_->path(), "plan.csv.*"), true,
            SIGINT);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(files(), QStringList{"plan.csv"});

        // Once written, the program's own signal actions are back.
        struct sigaction before {};
        sigaction(SIGTERM, nullptr, &before);
        QVERIFY(!WriteTextReport(path("plan.txt"), kFields, kFigures, WorkedExampleRows()));
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

        QVERIFY(!WriteTextReport(target, kFields, kFigures, WorkedExampleRows()));
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

        QVERIFY(!WriteTextReport(path("latest"), kFields, kFigures, WorkedExampleRows()));
        QVERIFY(S_ISLNK(StatusOf(path("latest")).st_mode));
        QCOMPARE(ReadAll(path("plan.txt")).size(), 832);
        QCOMPARE(ReadAll(path("copy.txt")), "an earlier plan\n");

        // A link to a name not yet taken makes the file it names.
        QVERIFY(QFile::link("later.txt", path("next")));
        QVERIFY(!WriteCsvReport(path("next"), kFields, kFigures, WorkedExampleRows()));
        QVERIFY(S_ISLNK(StatusOf(path("next")).st_mode));
        QCOMPARE(ReadAll(path("later.txt")).size(), 651);
        QCOMPARE(files(), (QStringList{"copy.txt", "later.txt", "latest", "next", "plan.txt"}));
    }

    void longestNameAFolderHoldsIsWritten() {
        const QString name(255, 'x');
        WriteAll(path(name), "an earlier plan\n");
        QVERIFY(!WriteTextReport(path(name), kFields, kFigures, WorkedExampleRows()));
        QCOMPARE(ReadAll(path(name)).size(), 832);
        QCOMPARE(files(), QStringList{name});
    }
};

QTEST_APPLESS_MAIN(SafeWriteTest)
#include "test_safe_write.moc"
