#include "print_report.h"
#include "recording_printer.h"
#include "report_content.h"
#include "report_files.h"
#include "subnet_enumeration.h"
#include "subnet_row_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace tessnivar;

namespace {

SubnetRowStore MakeStore(WorkingAddress start, std::int32_t hosts, std::int32_t subnets) {
    SubnetRowStore store;
    EnumerateSubnets(start, hosts, subnets, [&store](const SubnetRow& row) { store.append(row); });
    return store;
}

const ReportFields kFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};
const ReportFigures kFigures = *ComputeReportFigures(kFields);
const SubnetRowStore kRows = MakeStore({{192, 168, 1, 0}}, 64, 4);

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

const QByteArray kText =
    kOpeningLines +
    "   Subnet Number          Start IP             End IP       \r\n"
    "         0              192.168.1.0         192.168.1.63          UNUSABLE      \r\n"
    "         1              192.168.1.64       192.168.1.127    \r\n"
    "         2             192.168.1.128       192.168.1.191    \r\n"
    "         3             192.168.1.192       192.168.1.255          UNUSABLE      \r\n";

QByteArray ReadAll(const QString& fileName) {
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void percentPicture() {
        const std::pair<float, const char*> cases[] = {
            {48.44f, "48.44"}, {87.5f, "87.5"}, {99.9f, "99.9"},    {50.0f, "50."},
            {0.78f, ".78"},    {0.1f, ".1"},    {-100.0f, "-100."},
        };
        for (const auto& [value, text] : cases)
            QCOMPARE(PercentText(value), std::string(text));
    }

    void numberTextUsesExponentFormForLargeCounts() {
        QCOMPARE(NumberText(1e20), std::string("1E+20"));
    }

    void centerInColumnPadsShortTextsOnly() {
        QCOMPARE(CenterInColumn("0"), std::string(9, ' ') + "0" + std::string(10, ' '));
        QCOMPARE(CenterInColumn(""), std::string(20, ' '));
        QCOMPARE(CenterInColumn(std::string(20, 'x')), std::string(20, 'x'));
        QCOMPARE(CenterInColumn(std::string(25, 'x')), std::string(25, 'x'));
    }

    void zeroCountIsRefused() {
        QVERIFY(!ComputeReportFigures({{}, "", "", "0", "64"}) &&
                !ComputeReportFigures({{}, "", "", "4", "0"}));
    }

    void csvNameGetsTheExtensionUnlessItEndsInExactlyCsv() {
        const std::pair<const char*, const char*> names[] = {
            {"plan", "plan.csv"},         {"plan.csv", "plan.csv"}, {"plan.CSV", "plan.CSV.csv"},
            {"plan.txt", "plan.txt.csv"}, {"csv", "csv.csv"},
        };
        for (const auto& [chosen, written] : names)
            QCOMPARE(CsvFileName(chosen), QString(written));
    }

    void filesOfTheWorkedExample() {
        const QTemporaryDir dir;
        QVERIFY(!WriteTextReport(dir.filePath("plan"), kFields, kFigures, kRows));
        QCOMPARE(ReadAll(dir.filePath("plan")).size(), 832);
        QCOMPARE(ReadAll(dir.filePath("plan")), kText);

        QVERIFY(!WriteCsvReport(dir.filePath("plan.csv"), kFields, kFigures, kRows));
        QCOMPARE(ReadAll(dir.filePath("plan.csv")).size(), 651);
        QCOMPARE(ReadAll(dir.filePath("plan.csv")),
                 kOpeningLines + "Subnet Number,Start IP,End IP\r\n"
                                 "0,192.168.1.0,192.168.1.63,UNUSABLE\r\n"
                                 "1,192.168.1.64,192.168.1.127\r\n"
                                 "2,192.168.1.128,192.168.1.191\r\n"
                                 "3,192.168.1.192,192.168.1.255,UNUSABLE\r\n");
    }

    void failedWriteKeepsTheOldFile() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan.txt");
        QVERIFY(!WriteTextReport(name, kFields, kFigures, kRows));
        // A file size limit fails the write as a full disk would, and holds root too.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{300, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        const auto error = WriteCsvReport(name, kFields, kFigures, kRows);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(error && !error->reason.isEmpty());
        QCOMPARE(ReadAll(name), kText);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.txt"});

        const QString missing = dir.filePath("no such folder/plan.txt");
        const auto missingError = WriteTextReport(missing, kFields, kFigures, kRows);
        QVERIFY(missingError && missingError->fileName == missing);
    }

    void printedReportSetsFontsInOrderAndAbandonsOnFailure() {
        QStringList lines = QString::fromLatin1(kText).split("\r\n");
        lines.removeLast();
        for (QString& line : lines)
            line.prepend("line ");
        const QStringList expected = QStringList{"bold on", "size 24"} + lines.mid(0, 1) +
                                     QStringList{"size 12", "italic on"} + lines.mid(1, 5) +
                                     QStringList{"italic off", "bold off"} + lines.mid(6) +
                                     QStringList{"end"};
        RecordingPrinter printer;
        QCOMPARE(PrintReport(printer, kFields, kFigures, kRows), PrintResult::Printed);
        QCOMPARE(printer.calls, expected);

        RecordingPrinter failing;
        failing.failAtLine = 17;
        QCOMPARE(PrintReport(failing, kFields, kFigures, kRows), PrintResult::PrinterFailed);
        QCOMPARE(failing.calls, expected.mid(0, 23) + QStringList{"abandon"});
    }

    void onePlanRowIsOneUsableNetworkMarkedOnce() {
        const ReportFields fields{{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"};
        RecordingPrinter printer;
        QCOMPARE(PrintReport(printer, fields, *ComputeReportFigures(fields),
                             MakeStore({{192, 168, 0, 0}}, 256, 1)),
                 PrintResult::Printed);
        QVERIFY(printer.calls.contains("line Number of Subnets: 1 (1 usable)"));
        QVERIFY(printer.calls.contains("line Total Percent of Addresses: 99.22%"));
        QVERIFY(printer.calls.contains("line Percent of Wasted Addresses: .78%"));
        QCOMPARE(printer.calls.filter("UNUSABLE").size(), 1);
    }
};

QTEST_APPLESS_MAIN(TestReport)
#include "test_report.moc"
