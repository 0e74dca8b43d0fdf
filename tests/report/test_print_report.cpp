// Printing a report page by page: the pages counted before the first line, each completed page
// reported, and a cancelled document abandoned at once.
#include "print_report.h"
#include "qt_report_printer.h"
#include "recording_printer.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tessnivar;

namespace {

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

// Class C network 192.168.1.0 with 6 bits borrowed: 64 rows, so 15 opening lines, the header and
// 64 rows make 80 lines.
const ReportFields kFields{{"192", "168", "1", "0"}, "255.255.255.252", "6", "64", "4"};

int PdfPages(const QString& pdf) {
    QProcess pdfinfo;
    pdfinfo.start("pdfinfo", {pdf});
    if (!pdfinfo.waitForFinished() || pdfinfo.exitCode() != 0)
        return -1;
    const auto match = QRegularExpression(R"(Pages:\s+(\d+))")
                           .match(QString::fromUtf8(pdfinfo.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace

class TestPrintReport : public QObject {
    Q_OBJECT

private slots:
    void eachCompletedPageIsReportedAfterPagesAreCounted() {
        RecordingPrinter printer;
        printer.linesPerPage = 10;
        RecordedProgress progress;
        const SubnetRows rows({{192, 168, 1, 0}}, 4, 64);
        QCOMPARE(PrintReport(printer, kFields, *ComputeReportFigures(kFields), rows, &progress),
                 PrintResult::Printed);
        QCOMPARE(progress.told, (QStringList{"start 8", "done 1", "done 2", "done 3", "done 4",
                                             "done 5", "done 6", "done 7"}));
        QCOMPARE(printer.calls.last(), "end");
    }

    void cancelAbandonsTheDocumentBeforeAnotherPage() {
        RecordingPrinter printer;
        printer.linesPerPage = 10;
        RecordedProgress progress;
        progress.cancelAfter = 3;
        const SubnetRows rows({{192, 168, 1, 0}}, 4, 64);
        QCOMPARE(PrintReport(printer, kFields, *ComputeReportFigures(kFields), rows, &progress),
                 PrintResult::Cancelled);
        QCOMPARE(progress.told.last(), "done 3");
        // The line that began page 4 told the progress that page 3 was done; nothing follows it.
        QCOMPARE(printer.calls.filter(QRegularExpression("^line ")).size(), 31);
        QCOMPARE(printer.calls.last(), "abandon");
        QVERIFY(!printer.calls.contains("end"));
    }

    void pagesCountedBeforePrintingArePagesPrinted() {
        // Class A network with 8 bits borrowed: 256 rows over several pages.
        const ReportFields fields{{"10", "0", "0", "0"}, "255.255.0.0", "8", "256", "65536"};
        const QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        QtReportPrinter reportPrinter(std::move(printer));
        RecordedProgress progress;
        QCOMPARE(PrintReport(reportPrinter, fields, *ComputeReportFigures(fields),
                             SubnetRows({{10, 0, 0, 0}}, 65536, 256), &progress),
                 PrintResult::Printed);
        const int pages = PdfPages(pdf);
        QVERIFY2(pages > 1, "the report did not flow onto a second page");
        QCOMPARE(progress.told.first(), "start " + QString::number(pages));
        QCOMPARE(progress.told.last(), "done " + QString::number(pages - 1));
    }
};

QTEST_MAIN(TestPrintReport)
#include "test_print_report.moc"
