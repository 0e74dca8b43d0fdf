// What a report says: its summary figures and texts, its rows in both table forms and the reports
// of the worked example as Write File writes them; and how it is printed: the fonts and lines in
// order, the pages counted before the first line and each completed page reported, a cancelled or
// failed document abandoned at once, and a long report on the pages of one real document.
#include "print_report.h"
#include "qt_report_printer.h"
#include "recording_printer.h"
#include "report_files.h"
#include "subnet_enumeration.h"

#include <QTemporaryFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tessnivar;

namespace {

const QByteArray kOpeningLines = "Tessnivar v 1.0 -- by Brolwick\r\n"
                                 "\r\n"
                                 "REMINDER: The first and last IP address in each subnet is "
                                 "unusable.\r\n"
                                 "The first is the network address.  The last is the broadcast "
                                 "address.\r\n"
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

// The lines of a file's bytes, split at CR LF only, so that a failed comparison names the line.
QStringList Lines(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).split("\r\n");
}

// The worked example: 192.168.1.0 with 2 bits borrowed.
const ReportFields kWorked{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};

// The rows of the plan the fields show.
SubnetRows RowsOf(const ReportFields& f) {
    return {LoadWorkingAddress(f.octets).address, std::stoi(f.hosts), std::stoi(f.subnets)};
}

// The report in form of the plan the fields show, as Write File and the tool write it.
QByteArray Report(ReportForm form, const ReportFields& fields) {
    QTemporaryFile file;
    if (!file.open() ||
        !WriteReport(file.handle(), form, fields, *ComputeReportFigures(fields), RowsOf(fields))
             .ok())
        qFatal("the report was not written");
    file.seek(0);
    return file.readAll();
}

// Records what it is told and asks to stop once cancelAfter pages are done (never when 0).
struct RecordedProgress final : PrintProgress {
    QStringList told;
    int cancelAfter = 0;

    void start(int pages) override { told << "start " + QString::number(pages); }
    bool pagesDone(int done) override {
        told << "done " + QString::number(done);
        return cancelAfter == 0 || done < cancelAfter;
    }
};

// How printing ended: "printed", or why the document was abandoned.
QString Print(ReportPrinter& printer, const ReportFields& f, PrintProgress* progress = {}) {
    const auto printed = PrintReport(printer, f, *ComputeReportFigures(f), RowsOf(f), progress);
    if (printed.ok())
        return "printed";
    return printed.error() == PrintStop::Cancelled ? "cancelled" : "printer failed";
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    // Two decimals, halves away from zero, no leading zero, trailing zeros dropped, the point
    // always; a value that rounds to zero, of either sign, is ".".
    void percentTextInTheTwoDecimalPicture() {
        const std::pair<float, const char*> cases[] = {
            {48.44f, "48.44"}, {50, "50."},      {0.78f, ".78"}, {0.1f, ".1"},
            {-0.01f, "-.01"},  {0, "."},         {-0.004f, "."}, {0.005f, ".01"},
            {-0.005f, "-.01"}, {99.995f, "100."}};
        for (const auto& [value, text] : cases)
            QCOMPARE(QByteArray::number(value) + " -> " + PercentText(value).c_str(),
                     QByteArray::number(value) + " -> " + text);
    }

    // Lines 7 to 14 after their labels: the octets, mask, bits and counts as typed, the usable
    // counts and percentages from the counts' values, counts in plain decimal (a fraction, a
    // negative count) up to 15 digits. The worked example's plan takes a hosts value typed after
    // Calculate.
    void summaryFollowsTheFieldTexts() {
        const auto typed = [](const char* hosts) {
            return ReportFields{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", hosts};
        };
        const std::pair<ReportFields, const char*> cases[] = {
            {typed("64.50"), "4 (2 usable)|64.50 (62.5 usable)|258 (125 usable)|48.45%|51.55%"},
            // Used 49.375 rounds up; the wasted share is 100 less the rounded value.
            {typed("160"), "4 (2 usable)|160 (158 usable)|640 (316 usable)|49.38%|50.62%"},
            {typed("2"), "4 (2 usable)|2 (0 usable)|8 (0 usable)|.%|100.%"},
            {typed("1"), "4 (2 usable)|1 (-1 usable)|4 (-2 usable)|-50.%|150.%"},
            // A fraction of usable subnets and no usable host: no usable address, not -0.
            {{{"192", "168", "1", "0"}, "255.255.255.192", "2", "1.5", "2"},
             "1.5 (-0.5 usable)|2 (0 usable)|3 (0 usable)|.%|100.%"},
            {typed("100000000000000000000"),
             "4 (2 usable)|100000000000000000000 (1E+20 usable)|4E+20 (2E+20 usable)|50.%|50.%"},
            // Unsubnetted: the one network is usable.
            {{{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"},
             "1 (1 usable)|256 (254 usable)|256 (254 usable)|99.22%|.78%"},
            {{{"010", " 0", "0abc", ""}, "255.255.240.0", "12", "04096", "4096"},
             "04096 (4094 usable)|4096 (4094 usable)|16777216 (16760836 usable)|99.9%|.1%"}};
        // A count of zero has no summary: the report is refused.
        QVERIFY(!ComputeReportFigures(typed("abc")));
        for (const auto& [fields, expected] : cases) {
            QStringList summary;
            for (const std::string& line : OpeningLines(fields, *ComputeReportFigures(fields)))
                summary << QString::fromStdString(line).section(": ", 1);
            const auto& o = fields.octets;
            QCOMPARE(summary.mid(6, 8),
                     QString::fromStdString(o[0] + "." + o[1] + "." + o[2] + "." + o[3] + "|" +
                                            fields.mask + "|" + fields.bits + "|" + expected)
                         .split('|'));
        }
    }

    // Three-digit octets in the middle of an address, in both table forms; the only row of an
    // unsubnetted plan is marked once.
    void rowTextsInBothTableForms() {
        const auto row = [](const ReportFields& fields, int i) {
            return Lines(Report(ReportForm::Text, fields))[i + 16] + "|" +
                   Lines(Report(ReportForm::Csv, fields))[i + 16];
        };
        QCOMPARE(row({{"10", "0", "0", "0"}, "255.255.0.0", "8", "256", "65536"}, 100),
                 "        100              10.100.0.0        10.100.255.255   |"
                 "100,10.100.0.0,10.100.255.255");
        QCOMPARE(row({{"192", "100", "101", "0"}, "255.255.255.252", "6", "64", "4"}, 26),
                 "         26           192.100.101.104     192.100.101.107   |"
                 "26,192.100.101.104,192.100.101.107");
        QCOMPARE(row({{"192", "168", "0", "0"}, "255.255.255.0", "0", "1", "256"}, 0),
                 "         0              192.168.0.0        192.168.0.255          UNUSABLE      |"
                 "0,192.168.0.0,192.168.0.255,UNUSABLE");
    }

    void csvNameGetsTheExtensionUnlessItEndsInExactlyCsv() {
        const std::pair<const char*, const char*> names[] = {
            {"plan", "plan.csv"}, {"plan.csv", "plan.csv"}, {"plan.CSV", "plan.CSV.csv"}};
        for (const auto& [chosen, written] : names)
            QCOMPARE(CsvFileName(chosen), QString(written));
    }

    void reportsOfTheWorkedExample() {
        QCOMPARE(Lines(Report(ReportForm::Text, kWorked)),
                 Lines(kOpeningLines +
                       "   Subnet Number          Start IP             End IP       \r\n"
                       "         0              192.168.1.0         192.168.1.63          "
                       "UNUSABLE      \r\n"
                       "         1              192.168.1.64       192.168.1.127    \r\n"
                       "         2             192.168.1.128       192.168.1.191    \r\n"
                       "         3             192.168.1.192       192.168.1.255          "
                       "UNUSABLE      \r\n"));
        QCOMPARE(Lines(Report(ReportForm::Csv, kWorked)).mid(15),
                 Lines("Subnet Number,Start IP,End IP\r\n"
                       "0,192.168.1.0,192.168.1.63,UNUSABLE\r\n"
                       "1,192.168.1.64,192.168.1.127\r\n"
                       "2,192.168.1.128,192.168.1.191\r\n"
                       "3,192.168.1.192,192.168.1.255,UNUSABLE\r\n"));
    }

    // The lines of the text report, the title large and bold, the reminder italic, then the rest
    // plain; a line the printer fails abandons the document there.
    void printedInOrderWithFontsAndFailedLineAbandons() {
        const QStringList lines = Lines(Report(ReportForm::Text, kWorked).chopped(2))
                                      .replaceInStrings(QRegularExpression("^"), "line ");
        const QStringList expected =
            QStringList{"bold on", "size 24", lines[0], "size 12", "italic on"} + lines.mid(1, 5) +
            QStringList{"italic off", "bold off"} + lines.mid(6) + QStringList{"end"};
        RecordingPrinter printer, failing;
        failing.failAtLine = 17;
        QCOMPARE(Print(printer, kWorked), "printed");
        QCOMPARE(printer.calls, expected);
        QCOMPARE(Print(failing, kWorked), "printer failed");
        QCOMPARE(failing.calls, expected.mid(0, 23) + QStringList{"abandon"});
    }

    // 192.168.1.0 with 6 bits borrowed: 15 opening lines, the header and 64 rows make 80 lines.
    void eachCompletedPageIsReportedAndCancelAbandonsBeforeAnotherPage() {
        const ReportFields classC{{"192", "168", "1", "0"}, "255.255.255.252", "6", "64", "4"};
        RecordingPrinter printer, cancelled;
        printer.linesPerPage = cancelled.linesPerPage = 10;
        RecordedProgress progress, cancelling;
        cancelling.cancelAfter = 3;
        QCOMPARE(Print(printer, classC, &progress), "printed");
        QCOMPARE(progress.told, (QStringList{"start 8", "done 1", "done 2", "done 3", "done 4",
                                             "done 5", "done 6", "done 7"}));

        QCOMPARE(Print(cancelled, classC, &cancelling), "cancelled");
        // The line that began page 4 told the progress that page 3 was done; nothing follows it.
        QCOMPARE(cancelling.told.last() + ", " + cancelled.calls.last(), "done 3, abandon");
        QCOMPARE(cancelled.calls.filter(QRegularExpression("^line ")).size(), 31);
    }

    // 10.0.0.0 with 8 bits borrowed, 256 rows: every row once, in order, over the pages counted.
    void longReportFlowsOverThePagesCountedOfOneDocument() {
        const ReportFields fields{{"10", "0", "0", "0"}, "255.255.0.0", "8", "256", "65536"};
        const QTemporaryDir dir;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFileName(dir.filePath("report.pdf"));
        QtReportPrinter reportPrinter(std::move(printer));
        RecordedProgress progress;
        QCOMPARE(Print(reportPrinter, fields, &progress), "printed");

        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", dir.filePath("report.pdf"), "-"});
        QVERIFY(pdftotext.waitForFinished());
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // pdftotext ends each page with a form feed.
        const qsizetype pages = text.count('\f');
        QCOMPARE_GT(pages, 1);
        QCOMPARE(progress.told.first(), "start " + QString::number(pages));
        QCOMPARE(progress.told.last(), "done " + QString::number(pages - 1));
        QString rows;
        for (int i = 0; i < 256; ++i)
            rows += QString(" %1 10.%1.0.0 10.%1.255.255").arg(i) + (i % 255 ? "" : " UNUSABLE");
        QCOMPARE(text.simplified().section(" End IP", 1), rows);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
