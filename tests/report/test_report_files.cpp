#include "report_files.h"
#include "subnet_enumeration.h"
#include "subnet_row_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace tessnivar;

namespace {

SubnetRowStore MakeStore(WorkingAddress start, std::int32_t hosts, std::int32_t subnets) {
    SubnetRowStore store;
    EnumerateSubnets(start, hosts, subnets, [&store](const SubnetRow& row) { store.append(row); });
    return store;
}

const ReportFields kExampleFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};

const QByteArray kOpeningLines =
    "Tessnivar v 1.0 -- by Brolwick\r\n"
    "\r\n"
    "REMINDER: The first and last IP address in each subnet is unusable.\r\n"
    "The first is the network address.  The last is the broadcast address.\r\n"
    "This is not reflected in this output.\r\n"
    "\r\n"
    "Assigned IP: 192.168.1.0\r\n"
    "Subnet Mask: 255.255.255.192\r\n"
    "Bits Borrowed: 2\r\n"
    "Number of Subnets: 4 (2 usable)\r\n"
    "Number of Hosts per Subnet: 64 (62 usable)\r\n"
    "Total Number of Hosts: 256 (124 usable)\r\n"
    "Total Percent of Addresses: 48.44%\r\n"
    "Percent of Wasted Addresses: 51.56%\r\n"
    "\r\n";

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool WriteAll(const QString& fileName, const QByteArray& contents) {
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

// Limits the size of files this process writes, as a full disk would, for one scope. Root is
// held to it too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace

class TestReportFiles : public QObject {
    Q_OBJECT

private slots:
    void textFileOfTheWorkedExample() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan");
        const auto figures = ComputeReportFigures(kExampleFields);
        QVERIFY(
            !WriteTextReport(name, kExampleFields, *figures, MakeStore({{192, 168, 1, 0}}, 64, 4)));
        const QByteArray expected =
            kOpeningLines +
            "   Subnet Number          Start IP             End IP       \r\n"
            "         0              192.168.1.0         192.168.1.63          UNUSABLE      \r\n"
            "         1              192.168.1.64       192.168.1.127    \r\n"
            "         2             192.168.1.128       192.168.1.191    \r\n"
            "         3             192.168.1.192       192.168.1.255          UNUSABLE      \r\n";
        const QByteArray written = ReadAll(name);
        QCOMPARE(written.size(), 832);
        QCOMPARE(written, expected);
    }

    void csvFileOfTheWorkedExample() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan.csv");
        const auto figures = ComputeReportFigures(kExampleFields);
        QVERIFY(
            !WriteCsvReport(name, kExampleFields, *figures, MakeStore({{192, 168, 1, 0}}, 64, 4)));
        const QByteArray expected = kOpeningLines + "Subnet Number,Start IP,End IP\r\n"
                                                    "0,192.168.1.0,192.168.1.63,UNUSABLE\r\n"
                                                    "1,192.168.1.64,192.168.1.127\r\n"
                                                    "2,192.168.1.128,192.168.1.191\r\n"
                                                    "3,192.168.1.192,192.168.1.255,UNUSABLE\r\n";
        const QByteArray written = ReadAll(name);
        QCOMPARE(written.size(), 651);
        QCOMPARE(written, expected);
    }

    void onePlanRowIsMarkedOnce() {
        const QTemporaryDir dir;
        const ReportFields fields{{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"};
        const auto figures = ComputeReportFigures(fields);
        const SubnetRowStore rows = MakeStore({{192, 168, 0, 0}}, 256, 1);
        QVERIFY(!WriteTextReport(dir.filePath("one.txt"), fields, *figures, rows));
        QVERIFY(!WriteCsvReport(dir.filePath("one.csv"), fields, *figures, rows));

        const QList<QByteArray> text = ReadAll(dir.filePath("one.txt")).split('\n');
        QCOMPARE(text.size(), 18); // 17 lines, each ended, leave an empty piece behind
        QVERIFY(text.last().isEmpty());
        QCOMPARE(text[16], QByteArray("         0              192.168.0.0        192.168.0.255  "
                                      "        UNUSABLE      \r"));

        const QList<QByteArray> csv = ReadAll(dir.filePath("one.csv")).split('\n');
        QCOMPARE(csv.size(), 18);
        QCOMPARE(csv[15], QByteArray("Subnet Number,Start IP,End IP\r"));
        QCOMPARE(csv[16], QByteArray("0,192.168.0.0,192.168.0.255,UNUSABLE\r"));
    }

    void manyRowsStreamWhole() {
        // Far more than one write chunk, so rows meet chunk boundaries.
        const QTemporaryDir dir;
        const std::int32_t n = 200000;
        const ReportFields fields{{"10", "0", "0", "0"}, "255.255.255.252", "18", "200000", "4"};
        const auto figures = ComputeReportFigures(fields);
        const SubnetRowStore rows = MakeStore({{10, 0, 0, 0}}, 4, n);
        QVERIFY(!WriteCsvReport(dir.filePath("big.csv"), fields, *figures, rows));
        QVERIFY(!WriteTextReport(dir.filePath("big.txt"), fields, *figures, rows));

        const QList<QByteArray> records = ReadAll(dir.filePath("big.csv")).split('\n');
        QCOMPARE(records.size(), 16 + n + 1);
        for (std::int32_t i = 0; i < n; ++i) {
            const unsigned a = 4u * static_cast<unsigned>(i);
            const QByteArray expected =
                QString::asprintf("%d,10.%u.%u.%u,10.%u.%u.%u%s\r", i, a >> 16 & 255, a >> 8 & 255,
                                  a & 255, a >> 16 & 255, a >> 8 & 255, (a & 255) + 3,
                                  i == 0 || i == n - 1 ? ",UNUSABLE" : "")
                    .toLatin1();
            if (records[16 + i] != expected)
                QFAIL(qPrintable("record " + QString::number(i) + ": " + records[16 + i]));
        }

        const qint64 openingBytes = ReadAll(dir.filePath("big.csv")).indexOf("Subnet Number,") + 62;
        QCOMPARE(QFileInfo(dir.filePath("big.txt")).size(), openingBytes + 62 * n + 2 * 20);
    }

    void existingFileIsReplacedWhole() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan.txt");
        QVERIFY(WriteAll(name, QByteArray(5000, 'x')));
        const auto figures = ComputeReportFigures(kExampleFields);
        QVERIFY(
            !WriteTextReport(name, kExampleFields, *figures, MakeStore({{192, 168, 1, 0}}, 64, 4)));
        QCOMPARE(ReadAll(name).size(), 832);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"plan.txt"});
    }

    void missingFolderIsReported() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("no such folder/plan.txt");
        const auto error =
            WriteTextReport(name, kExampleFields, *ComputeReportFigures(kExampleFields), {});
        QVERIFY(error);
        QCOMPARE(error->fileName, name);
        QVERIFY(!error->reason.isEmpty());
        QVERIFY(!QFileInfo::exists(dir.filePath("no such folder")));
    }

    void folderInPlaceOfTheFileIsReported() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan.csv");
        QVERIFY(QDir(dir.path()).mkdir("plan.csv"));
        const auto error =
            WriteCsvReport(name, kExampleFields, *ComputeReportFigures(kExampleFields), {});
        QVERIFY(error);
        QVERIFY(!error->reason.isEmpty());
        QVERIFY(QFileInfo(name).isDir());
    }

    void failedWriteKeepsTheOldFile() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan.txt");
        const QByteArray old = "the old report\r\n";
        QVERIFY(WriteAll(name, old));
        std::optional<ReportFileError> error;
        {
            const FileSizeLimit limit(300);
            error = WriteTextReport(name, kExampleFields, *ComputeReportFigures(kExampleFields),
                                    MakeStore({{192, 168, 1, 0}}, 64, 4));
        }
        QVERIFY(error);
        QCOMPARE(error->reason, QString::fromLocal8Bit(std::strerror(EFBIG)));
        QCOMPARE(ReadAll(name), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.txt"});
    }

    void fullDeviceIsReportedAndKept() {
        // A private copy of /dev/full where the system allows making one; the real one only
        // when not root, as root could replace it if the device were ever renamed over.
        const QTemporaryDir dir;
        QString name = dir.filePath("full");
        if (mknod(QFile::encodeName(name).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
            if (geteuid() == 0)
                QSKIP("cannot make a full device here");
            name = "/dev/full";
        }
        const auto error =
            WriteCsvReport(name, kExampleFields, *ComputeReportFigures(kExampleFields),
                           MakeStore({{192, 168, 1, 0}}, 64, 4));
        QVERIFY(error);
        QCOMPARE(error->reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
        struct stat status {};
        QCOMPARE(stat(QFile::encodeName(name).constData(), &status), 0);
        QVERIFY(S_ISCHR(status.st_mode));
    }
};

QTEST_APPLESS_MAIN(TestReportFiles)
#include "test_report_files.moc"
