#include "print_report.h"
#include "recording_printer.h"
#include "report_content.h"
#include "report_files.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <iterator>
#include <sys/resource.h>
#include <tuple>
#include <utility>

using namespace tessnivar;

namespace {

const ReportFields kFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};
const ReportFigures kFigures = *ComputeReportFigures(kFields);
const SubnetRows kRows({{192, 168, 1, 0}}, 64, 4);

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

// Why a report file was not written, empty when it was.
QString Failure(const std::optional<ReportFileError>& error) {
    return error ? error->fileName + ": " + error->reason : QString();
}

// The lines of a file's bytes, split at CR LF only, so that a failed comparison names the line.
QStringList Lines(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).split("\r\n");
}

} // namespace

Q_DECLARE_METATYPE(ReportFields)

class TestReport : public QObject {
    Q_OBJECT

private slots:
    void percentTextInTheTwoDecimalPicture_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("48.44") << 48.44f << QByteArray("48.44");
        QTest::newRow("87.5") << 87.5f << QByteArray("87.5");
        QTest::newRow("whole") << 50.0f << QByteArray("50.");
        QTest::newRow("below one") << 0.78f << QByteArray(".78");
        QTest::newRow("one decimal below one") << 0.1f << QByteArray(".1");
        QTest::newRow("negative whole") << -100.0f << QByteArray("-100.");
        QTest::newRow("negative below one") << -0.01f << QByteArray("-.01");
        QTest::newRow("zero") << 0.0f << QByteArray(".");
        QTest::newRow("negative zero") << -0.0f << QByteArray(".");
        QTest::newRow("rounds to zero") << 0.004f << QByteArray(".");
        QTest::newRow("negative, rounds to zero") << -0.004f << QByteArray(".");
        QTest::newRow("half away from zero") << 0.005f << QByteArray(".01");
        QTest::newRow("negative half away from zero") << -0.005f << QByteArray("-.01");
        QTest::newRow("rounds up past the point") << 99.995f << QByteArray("100.");
        QTest::newRow("above 100") << 199.22f << QByteArray("199.22");
    }
    void percentTextInTheTwoDecimalPicture() {
        QFETCH(float, value);
        QFETCH(QByteArray, text);
        QCOMPARE(QByteArray::fromStdString(PercentText(value)), text);
    }

    void numberTextIsPlainDecimal() {
        const std::pair<double, const char*> cases[] = {
            {-1, "-1"},     {-254, "-254"}, {62.5, "62.5"},         {-62.5, "-62.5"},
            {-0.0, "0"},    {0, "0"},       {16777216, "16777216"}, {-16777214, "-16777214"},
            {1e20, "1E+20"}};
        for (const auto& [value, text] : cases)
            QCOMPARE(QByteArray::number(value) + " -> " +
                         QByteArray::fromStdString(NumberText(value)),
                     QByteArray::number(value) + " -> " + text);
    }

    void centerInColumnPadsShortTextsOnly() {
        QCOMPARE(QByteArray::fromStdString(CenterInColumn("0")),
                 QByteArray(9, ' ') + "0" + QByteArray(10, ' '));
        QCOMPARE(QByteArray::fromStdString(CenterInColumn("")), QByteArray(20, ' '));
        QCOMPARE(QByteArray::fromStdString(CenterInColumn(std::string(20, 'x'))),
                 QByteArray(20, 'x'));
        QCOMPARE(QByteArray::fromStdString(CenterInColumn(std::string(25, 'x'))),
                 QByteArray(25, 'x'));
    }

    void zeroCountIsRefused() {
        QVERIFY(!ComputeReportFigures({{}, "", "", "0", "64"}));
        QVERIFY(!ComputeReportFigures({{}, "", "", "4", "abc"}));
    }

    // Lines 7 to 14 follow the window's texts: the octets and counts as typed, the usable counts
    // and percentages from the counts' values.
    void summaryLinesFollowTheFieldTexts_data() {
        QTest::addColumn<ReportFields>("fields");
        QTest::addColumn<QStringList>("summary");
        const auto summary = [](const ReportFields& f, const char* subnets, const char* hosts,
                                const char* total, const char* used, const char* wasted) {
            return QStringList{QString::fromStdString("Assigned IP: " + f.octets[0] + "." +
                                                      f.octets[1] + "." + f.octets[2] + "." +
                                                      f.octets[3]),
                               QString::fromStdString("Subnet Mask: " + f.mask),
                               QString::fromStdString("Bits Borrowed: " + f.bits),
                               QString("Number of Subnets: ") + subnets,
                               QString("Number of Hosts per Subnet: ") + hosts,
                               QString("Total Number of Hosts: ") + total,
                               QString("Total Percent of Addresses: ") + used,
                               QString("Percent of Wasted Addresses: ") + wasted};
        };
        const auto row = [&](const char* name, const ReportFields& f, const char* subnets,
                             const char* hosts, const char* total, const char* used,
                             const char* wasted) {
            QTest::newRow(name) << f << summary(f, subnets, hosts, total, used, wasted);
        };
        // The worked example's plan with a count typed into the hosts box after Calculate.
        const auto typed = [](const char* hosts) {
            return ReportFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", hosts};
        };
        row("hosts typed as 1000", typed("1000"), "4 (2 usable)", "1000 (998 usable)",
            "4000 (1996 usable)", "49.9%", "50.1%");
        row("hosts typed as 64.50", typed("64.50"), "4 (2 usable)", "64.50 (62.5 usable)",
            "258 (125 usable)", "48.45%", "51.55%");
        // Used 49.375 rounds up; the wasted share is 100 less the rounded value.
        row("hosts typed as 160", typed("160"), "4 (2 usable)", "160 (158 usable)",
            "640 (316 usable)", "49.38%", "50.62%");
        row("no usable hosts", typed("2"), "4 (2 usable)", "2 (0 usable)", "8 (0 usable)", ".%",
            "100.%");
        row("negative usable hosts", typed("1"), "4 (2 usable)", "1 (-1 usable)", "4 (-2 usable)",
            "-50.%", "150.%");
        row("class C unsubnetted", {{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"},
            "1 (1 usable)", "256 (254 usable)", "256 (254 usable)", "99.22%", ".78%");
        row("class B unsubnetted", {{"172", "16", "0", "0"}, "255.255.0.0", "0", "1", "65536"},
            "1 (1 usable)", "65536 (65534 usable)", "65536 (65534 usable)", "100.%", ".%");
        row("class A unsubnetted", {{"10", "0", "0", "0"}, "255.0.0.0", "0", "1", "16777216"},
            "1 (1 usable)", "16777216 (16777214 usable)", "16777216 (16777214 usable)", "100.%",
            ".%");
        row("class A, 2 bits", {{"10", "0", "0", "0"}, "255.192.0.0", "2", "4", "4194304"},
            "4 (2 usable)", "4194304 (4194302 usable)", "16777216 (8388604 usable)", "50.%",
            "50.%");
        row("class A, 12 bits, octets as typed",
            {{"010", " 0", "0abc", ""}, "255.255.240.0", "12", "04096", "4096"},
            "04096 (4094 usable)", "4096 (4094 usable)", "16777216 (16760836 usable)", "99.9%",
            ".1%");
    }
    void summaryLinesFollowTheFieldTexts() {
        QFETCH(ReportFields, fields);
        QFETCH(QStringList, summary);
        const auto figures = ComputeReportFigures(fields);
        QVERIFY(figures);
        QStringList lines;
        for (const std::string& line : OpeningLines(fields, *figures))
            lines << QString::fromStdString(line);
        QCOMPARE(lines.mid(6, 8), summary);
    }

    // Rows whose octets run through 100 to 109, in both table forms.
    void rowTextsInBothTableForms() {
        const struct {
            const char* column;
            const char* csv;
        } rows[] = {
            {"         99              10.99.0.0         10.99.255.255    ",
             "99,10.99.0.0,10.99.255.255"},
            {"        100              10.100.0.0        10.100.255.255   ",
             "100,10.100.0.0,10.100.255.255"},
            {"        101              10.101.0.0        10.101.255.255   ",
             "101,10.101.0.0,10.101.255.255"},
            {"        102              10.102.0.0        10.102.255.255   ",
             "102,10.102.0.0,10.102.255.255"},
            {"        103              10.103.0.0        10.103.255.255   ",
             "103,10.103.0.0,10.103.255.255"},
            {"        104              10.104.0.0        10.104.255.255   ",
             "104,10.104.0.0,10.104.255.255"},
            {"        105              10.105.0.0        10.105.255.255   ",
             "105,10.105.0.0,10.105.255.255"},
            {"        106              10.106.0.0        10.106.255.255   ",
             "106,10.106.0.0,10.106.255.255"},
            {"        107              10.107.0.0        10.107.255.255   ",
             "107,10.107.0.0,10.107.255.255"},
            {"        108              10.108.0.0        10.108.255.255   ",
             "108,10.108.0.0,10.108.255.255"},
            {"        109              10.109.0.0        10.109.255.255   ",
             "109,10.109.0.0,10.109.255.255"},
            {"        110              10.110.0.0        10.110.255.255   ",
             "110,10.110.0.0,10.110.255.255"},
            {"         25           192.100.101.100     192.100.101.103   ",
             "25,192.100.101.100,192.100.101.103"},
            {"         26           192.100.101.104     192.100.101.107   ",
             "26,192.100.101.104,192.100.101.107"},
            {"         27           192.100.101.108     192.100.101.111   ",
             "27,192.100.101.108,192.100.101.111"},
        };
        // Class A with 8 bits borrowed, rows 99 to 110; Class C from 192.100.101.0 with 6 bits,
        // rows 25 to 27.
        const SubnetRows classA({{10, 0, 0, 0}}, 65536, 256);
        const SubnetRows classC({{192, 100, 101, 0}}, 4, 64);
        std::size_t k = 0;
        for (const auto& [store, first, last] :
             {std::tuple(&classA, 99, 110), std::tuple(&classC, 25, 27)}) {
            for (int i = first; i <= last; ++i, ++k) {
                const SubnetRow row = store->row(std::size_t(i));
                char text[kMaxColumnRowChars];
                QCOMPARE(QByteArray(text, WriteColumnRow(text, row, false) - text),
                         QByteArray(rows[k].column));
                QCOMPARE(QByteArray(text, WriteCsvRow(text, row, false) - text),
                         QByteArray(rows[k].csv));
            }
        }
        QCOMPARE(k, std::size(rows));
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
        QCOMPARE(Failure(WriteTextReport(dir.filePath("plan"), kFields, kFigures, kRows)),
                 QString());
        QCOMPARE(ReadAll(dir.filePath("plan")).size(), 832);
        QCOMPARE(Lines(ReadAll(dir.filePath("plan"))), Lines(kText));

        QCOMPARE(Failure(WriteCsvReport(dir.filePath("plan.csv"), kFields, kFigures, kRows)),
                 QString());
        QCOMPARE(ReadAll(dir.filePath("plan.csv")).size(), 651);
        QCOMPARE(Lines(ReadAll(dir.filePath("plan.csv"))),
                 Lines(kOpeningLines + "Subnet Number,Start IP,End IP\r\n"
                                       "0,192.168.1.0,192.168.1.63,UNUSABLE\r\n"
                                       "1,192.168.1.64,192.168.1.127\r\n"
                                       "2,192.168.1.128,192.168.1.191\r\n"
                                       "3,192.168.1.192,192.168.1.255,UNUSABLE\r\n"));
    }

    // One subnet: one usable network, its only row marked once.
    void filesOfTheUnsubnettedPlan() {
        const ReportFields fields{{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"};
        const ReportFigures figures = *ComputeReportFigures(fields);
        const SubnetRows rows({{192, 168, 0, 0}}, 256, 1);
        const QByteArray opening = "Tessnivar v 1.0 -- by Brolwick\r\n"
                                   "\r\n"
                                   "REMINDER: The first and last IP address in each subnet is "
                                   "unusable.\r\n"
                                   "The first is the network address.  The last is the broadcast "
                                   "address.\r\n"
                                   "This is not reflected in this output.\r\n"
                                   "\r\n"
                                   "Assigned IP: 192.168.0.0\r\n"
                                   "Subnet Mask: 255.255.255.0\r\n"
                                   "Bits Borrowed: 0\r\n"
                                   "Number of Subnets: 1 (1 usable)\r\n"
                                   "Number of Hosts per Subnet: 256 (254 usable)\r\n"
                                   "Total Number of Hosts: 256 (254 usable)\r\n"
                                   "Total Percent of Addresses: 99.22%\r\n"
                                   "Percent of Wasted Addresses: .78%\r\n"
                                   "\r\n";
        const QTemporaryDir dir;
        QCOMPARE(Failure(WriteTextReport(dir.filePath("plan"), fields, figures, rows)), QString());
        QCOMPARE(Lines(ReadAll(dir.filePath("plan"))),
                 Lines(opening +
                       "   Subnet Number          Start IP             End IP       \r\n"
                       "         0              192.168.0.0        192.168.0.255          UNUSABLE "
                       "     \r\n"));
        QCOMPARE(Failure(WriteCsvReport(dir.filePath("plan.csv"), fields, figures, rows)),
                 QString());
        QCOMPARE(Lines(ReadAll(dir.filePath("plan.csv"))),
                 Lines(opening + "Subnet Number,Start IP,End IP\r\n"
                                 "0,192.168.0.0,192.168.0.255,UNUSABLE\r\n"));
    }

    void failedWriteKeepsTheOldFile() {
        const QTemporaryDir dir;
        const QString name = dir.filePath("plan.txt");
        QCOMPARE(Failure(WriteTextReport(name, kFields, kFigures, kRows)), QString());
        // A file size limit fails the write as a full disk would, and holds root too.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const rlimit limited{300, saved.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &limited);
        const auto error = WriteCsvReport(name, kFields, kFigures, kRows);
        setrlimit(RLIMIT_FSIZE, &saved);
        QVERIFY(error);
        QVERIFY(!error->reason.isEmpty());
        QCOMPARE(Lines(ReadAll(name)), Lines(kText));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.txt"});

        const QString missing = dir.filePath("no such folder/plan.txt");
        const auto missingError = WriteTextReport(missing, kFields, kFigures, kRows);
        QVERIFY(missingError);
        QCOMPARE(missingError->fileName, missing);
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
};

QTEST_APPLESS_MAIN(TestReport)
#include "test_report.moc"
