// The report's bytes in both forms for the worked example, its percentages against the model of
// tests/support/oracle.h, and how it is printed: fonts and lines in order, pages counted first and
// each completed page reported, a cancelled or failed document abandoned at once.
#include "oracle.h"
#include "print_report.h"
#include "recording_printer.h"
#include "report_files.h"
#include "subnet_enumeration.h"

#include <QTemporaryFile>
#include <QTest>
#include <random>

using namespace tessnivar;

namespace {

const ReportFields kWorked{{"192", "168", "1", "0"}, "255.255.255.192", "2", "4", "64"};

SubnetRows RowsOf(const ReportFields& f) {
    return {LoadWorkingAddress(f.octets).address, std::stoi(f.hosts), std::stoi(f.subnets)};
}

QByteArray Report(ReportForm form, const ReportFields& fields) {
    QTemporaryFile file;
    if (!file.open() ||
        !WriteReport(file.handle(), form, fields, *ComputeReportFigures(fields), RowsOf(fields))
             .ok())
        qFatal("the report was not written");
    file.seek(0);
    return file.readAll();
}

// The lines of a report's bytes, so that a failed comparison names the line.
QStringList Lines(const QByteArray& bytes) {
    return QString::fromLatin1(bytes).split("\r\n");
}

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
    // The model's lines, each ended by CR LF, and the name a CSV file is given.
    void filesOfTheWorkedExampleFollowTheModel() {
        std::string opening;
        for (const std::string& line : oracle::Opening(kWorked, *oracle::Summary(4, 64)))
            opening += line + "\r\n";
        const auto rows = oracle::Rows({192, 168, 1, 0}, 64, 4);
        for (const bool csv : {false, true}) {
            std::string expected =
                opening + oracle::TableRow({"Subnet Number", "Start IP", "End IP"}, false, csv);
            for (std::size_t i = 0; i < rows.size(); ++i)
                expected += "\r\n" + oracle::TableRow(rows[i], i % 3 == 0, csv);
            QCOMPARE(Lines(Report(csv ? ReportForm::Csv : ReportForm::Text, kWorked)),
                     Lines(QByteArray::fromStdString(expected + "\r\n")));
        }
        const std::pair<const char*, const char*> names[] = {
            {"plan", "plan.csv"}, {"plan.csv", "plan.csv"}, {"plan.CSV", "plan.CSV.csv"}};
        for (const auto& [chosen, written] : names)
            QCOMPARE(CsvFileName(chosen), QString(written));
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

    // The title large and bold, the reminder italic, the rest plain; a line the printer fails
    // abandons the document there.
    void printedInOrderWithFontsAndFailedLineAbandons() {
        QStringList lines = Lines(Report(ReportForm::Text, kWorked).chopped(2));
        for (QString& line : lines)
            line.prepend("line ");
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

    // 15 opening lines, the header and 64 rows make 80 lines, 8 pages of 10.
    void eachCompletedPageIsReportedAndCancelAbandonsBeforeAnotherPage() {
        const ReportFields classC{{"192", "168", "1", "0"}, "255.255.255.252", "6", "64", "4"};
        RecordingPrinter printer, cancelled;
        printer.linesPerPage = cancelled.linesPerPage = 10;
        RecordingProgress progress, cancelling;
        cancelling.cancelAfter = 3;
        QCOMPARE(Print(printer, classC, &progress), "printed");
        QCOMPARE(progress.told, (QStringList{"start 8", "done 1", "done 2", "done 3", "done 4",
                                             "done 5", "done 6", "done 7"}));
        // The line that began page 4 told the progress that page 3 was done; nothing follows it.
        QCOMPARE(Print(cancelled, classC, &cancelling), "cancelled");
        QCOMPARE(cancelling.told.last() + ", " + cancelled.calls.last(), "done 3, abandon");
        QCOMPARE(cancelled.calls.filter("line ").size(), 31);
    }
};

QTEST_MAIN(TestReport)
#include "test_report.moc"
