// The report's bytes in both forms for the worked example, its percentages against the model of
// tests/support/oracle.h, and how it is printed: fonts and lines in order, pages counted first and
// each completed page reported, a cancelled or failed document abandoned at once.
#include "oracle.h"
#include "print_report.h"
#include "recording_printer.h"
#include "report_files.h"

#include <QRegularExpression>
#include <QTemporaryFile>
#include <QTest>
#include <random>

using namespace tessnivar;

namespace {

const ReportFields kWorked{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};
const SubnetRows kRows({{192, 168, 1, 0}}, 64, 4);
const ReportFigures kFigures = *ComputeReportFigures(kWorked);

QByteArray Report(ReportForm form) {
    QTemporaryFile file;
    if (!file.open() || !WriteReport(file.handle(), form, kWorked, kFigures, kRows).ok())
        qFatal("the report was not written");
    return file.seek(0) ? file.readAll() : QByteArray();
}

// The lines of a report's bytes, so that a failed comparison names the line.
QStringList Lines(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).split("\r\n");
}

// How printing ended: "printed", or why the document was abandoned.
QString Print(ReportPrinter& printer, PrintProgress* progress = {}) {
    const auto printed = PrintReport(printer, kWorked, kFigures, kRows, progress);
    if (printed.ok())
        return "printed";
    return printed.error() == PrintStop::Cancelled ? "cancelled" : "printer failed";
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private slots:
    // The model's lines, each ended by CR LF, and the name a CSV file is given (a name without
    // ".csv" is the tool test's).
    void filesOfTheWorkedExampleFollowTheModel() {
        std::string opening;
        for (const std::string& line : oracle::Opening(kWorked, *oracle::Summary(4, 64)))
            opening += line + "\r\n";
        for (const bool csv : {false, true}) {
            std::string expected =
                opening + oracle::TableRow({"Subnet Number", "Start IP", "End IP"}, false, csv);
            for (int i = 0; const oracle::Row& row : oracle::Rows({192, 168, 1, 0}, 64, 4))
                expected += "\r\n" + oracle::TableRow(row, i++ % 3 == 0, csv);
            QCOMPARE(Lines(Report(csv ? ReportForm::Csv : ReportForm::Text)),
                     Lines(QByteArray::fromStdString(expected + "\r\n")));
        }
        QCOMPARE(CsvFileName("plan.csv"), "plan.csv");
        QCOMPARE(CsvFileName("plan.CSV"), "plan.CSV.csv");
    }

    // Halves of hundredths, which the summary's own percentages never hold, and any single.
    void percentsFollowTheModel() {
        std::mt19937 random(23);
        for (int trial = 0; trial < 20000; ++trial) {
            const float percent = trial % 2 ? float(int(random() % 400000) - 200000) / 1000
                                            : std::bit_cast<float>(std::uint32_t(random()));
            if (std::isfinite(percent))
                QCOMPARE(QString::fromStdString(PercentText(percent)),
                         QString::fromStdString(oracle::Percent(percent)));
        }
    }

    // The title large and bold, the reminder italic, the rest plain. 15 opening lines, the header
    // and 4 rows make 20 lines, 4 pages of 5, each completed page reported. A line the printer
    // fails, or a cancel, abandons the document there.
    void printedInOrderWithFontsUntilStopped() {
        QStringList lines = Lines(Report(ReportForm::Text).chopped(2));
        lines.replaceInStrings(QRegularExpression("^"), "line ");
        const QStringList expected =
            QStringList{"bold on", "size 24", lines[0], "size 12", "italic on"} + lines.mid(1, 5) +
            QStringList{"italic off", "bold off"} + lines.mid(6) + QStringList{"end"};
        RecordingPrinter printer(5), failing(0, 17), cancelled(5);
        RecordingProgress progress, cancelling(2);
        QCOMPARE(Print(printer, &progress), "printed");
        QCOMPARE(printer.calls, expected);
        QCOMPARE(progress.told, (QStringList{"start 4", "done 1", "done 2", "done 3"}));
        QCOMPARE(Print(failing), "printer failed");
        QCOMPARE(failing.calls, expected.mid(0, 23) + QStringList{"abandon"});
        // The line that began page 3 told the progress that page 2 was done; nothing follows it.
        QCOMPARE(Print(cancelled, &cancelling), "cancelled");
        QCOMPARE(cancelling.told.last() + ", " + cancelled.calls.last(), "done 2, abandon");
        QCOMPARE(cancelled.calls.filter("line ").size(), 11);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
