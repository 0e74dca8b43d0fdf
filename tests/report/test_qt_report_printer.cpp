#include "print_report.h"
#include "qt_report_printer.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tessnivar;

class TestQtReportPrinter : public QObject {
    Q_OBJECT

private slots:
    void longReportFlowsOntoFurtherPagesOfOneDocument() {
        // Class A network with 8 bits borrowed: 256 rows, several pages.
        const ReportFields fields{{"10", "0", "0", "0"}, "255.255.0.0", "8", "256", "65536"};
        const SubnetRows rows({{10, 0, 0, 0}}, 65536, 256);
        const QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        QtReportPrinter reportPrinter(std::move(printer));
        QCOMPARE(PrintReport(reportPrinter, fields, *ComputeReportFigures(fields), rows),
                 PrintResult::Printed);

        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(pdftotext.waitForFinished());
        QCOMPARE(pdftotext.exitCode(), 0);
        const QString text = QString::fromUtf8(pdftotext.readAllStandardOutput());
        // pdftotext ends each page with a form feed.
        QCOMPARE_GE(text.split('\f', Qt::SkipEmptyParts).size(), 2);
        QCOMPARE(text.count("Subnet Number"), 1);
        QCOMPARE(text.count("UNUSABLE"), 2);

        // Every row once, in order, across the pages.
        qsizetype at = 0;
        for (int i = 0; i < 256; ++i) {
            const QRegularExpression row(
                QString(R"(\b%1\s+10\.%1\.0\.0\s+10\.%1\.255\.255\b)").arg(i));
            const auto match = row.match(text, at);
            QVERIFY2(match.hasMatch(), qPrintable("row " + QString::number(i)));
            at = match.capturedEnd();
        }
    }
};

QTEST_MAIN(TestQtReportPrinter)
#include "test_qt_report_printer.moc"
