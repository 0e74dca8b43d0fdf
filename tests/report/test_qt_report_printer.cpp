#include "print_report.h"
#include "qt_report_printer.h"
#include "subnet_enumeration.h"
#include "subnet_row_store.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace tessnivar;

namespace {

SubnetRowStore MakeStore(WorkingAddress start, std::int32_t hosts, std::int32_t subnets) {
    SubnetRowStore store;
    EnumerateSubnets(start, hosts, subnets, [&store](const SubnetRow& row) { store.append(row); });
    return store;
}

std::unique_ptr<QPrinter> PdfPrinter(const QString& fileName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(fileName);
    return printer;
}

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished() || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Class A network with 8 bits borrowed: 256 rows, several pages.
const ReportFields kFields{{"10", "0", "0", "0"}, "255.255.0.0", "8", "256", "65536"};

} // namespace

class TestQtReportPrinter : public QObject {
    Q_OBJECT

private slots:
    void longReportFlowsOntoFurtherPagesOfOneDocument() {
        const QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        {
            QtReportPrinter printer(PdfPrinter(pdf));
            QCOMPARE(PrintReport(printer, kFields, *ComputeReportFigures(kFields),
                                 MakeStore({{10, 0, 0, 0}}, 65536, 256)),
                     PrintResult::Printed);
        }

        const auto pages = QRegularExpression(R"(Pages:\s+(\d+))").match(Run("pdfinfo", {pdf}));
        QVERIFY(pages.hasMatch());
        QVERIFY2(pages.captured(1).toInt() >= 2, qPrintable(pages.captured(0)));

        const QString text = Run("pdftotext", {"-layout", pdf, "-"});
        const QStringList pageTexts = text.split('\f', Qt::SkipEmptyParts);
        QCOMPARE(pageTexts.size(), pages.captured(1).toInt());
        QVERIFY(pageTexts.first().contains("Tessnivar v 1.0 -- by Brolwick"));
        QVERIFY(pageTexts.first().contains("Percent of Wasted Addresses: .78%"));
        QCOMPARE(text.count("Subnet Number"), 1);
        QCOMPARE(text.count("UNUSABLE"), 2);
        QVERIFY(pageTexts.last().contains(
            QRegularExpression(R"(255\s+10\.255\.0\.0\s+10\.255\.255\.255\s+UNUSABLE)")));

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

    void printerThatCannotStartFailsTheJob() {
        const QTemporaryDir dir;
        QtReportPrinter printer(PdfPrinter(dir.filePath("no such folder/report.pdf")));
        QCOMPARE(PrintReport(printer, kFields, *ComputeReportFigures(kFields),
                             MakeStore({{10, 0, 0, 0}}, 65536, 256)),
                 PrintResult::PrinterFailed);
        QVERIFY(!QFile::exists(dir.filePath("no such folder/report.pdf")));
    }
};

QTEST_MAIN(TestQtReportPrinter)
#include "test_qt_report_printer.moc"
