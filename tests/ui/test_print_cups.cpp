// Print from the window through the program's own services to a real CUPS queue (cups-pdf), set
// up by tests/support/cups-fixture.sh; the document CUPS spooled is read back.
#include "default_printer.h"
#include "qt_services.h"
#include "window_fixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace tessnivar;

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Ids of the queue's jobs, all or those completed.
QStringList Jobs(const QString& which = "all") {
    QStringList ids;
    const QRegularExpression job(R"(^TessnivarTest-(\d+)\s)", QRegularExpression::MultilineOption);
    for (const auto& match : job.globalMatch(Run("lpstat", {"-W", which, "-o", "TessnivarTest"})))
        ids << match.captured(1);
    return ids;
}

} // namespace

class PrintCupsTest : public QObject {
    Q_OBJECT

private slots:
    // Without a default printer the window says so and sends nothing; with the queue made the
    // default, the report reaches it.
    void printThroughCups() {
        QFile unavailable(qEnvironmentVariable("TESSNIVAR_CUPS_STATE") + "/unavailable");
        if (unavailable.open(QIODevice::ReadOnly))
            QSKIP(qPrintable("CUPS is not available: " + unavailable.readAll().trimmed()));
        WindowFixture f;
        QtServices services;
        f.services.printer = std::bind(&QtServices::openDefaultPrinter, &services);
        f.typeAddress("172", "16", "0", "0"); // 16 subnets: one page
        f.stepSpinner(3);
        f.calculate();
        const QStringList before = Jobs();
        f.menu("printAction")->trigger();
        QCOMPARE(f.services.messages.size(), 1);
        QCOMPARE(Jobs(), before);
        QCOMPARE(QProcess::execute("lpadmin", {"-d", "TessnivarTest"}), 0);
        const QTemporaryDir dir;
        QFile text(dir.filePath("report.txt"));
        f.writeFile(MessageAnswer::No, text.fileName());
        QVERIFY(text.open(QIODevice::ReadOnly));
        f.menu("printAction")->trigger();
        QCOMPARE(f.services.messages.size(), 2);
        QStringList jobs = Jobs();
        for (const QString& id : before)
            jobs.removeAll(id);
        QCOMPARE(jobs.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(Jobs("completed").contains(jobs.last()), 30000);
        const QString spooled =
            QString("/var/spool/cups/d%1-001").arg(jobs.last().toInt(), 5, 10, QChar('0'));
        QVERIFY(Run("pdfinfo", {spooled}).contains(QRegularExpression(R"(Pages:\s+1\n)")));
        // The words in order: how a PDF's text and the report's compare.
        QCOMPARE(Run("pdftotext", {"-layout", spooled, "-"}).simplified(),
                 QString::fromUtf8(text.readAll()).simplified());
        // An abandoned document never reaches the print system.
        const auto printer = OpenDefaultPrinter();
        for (int line = 0; line < 200; ++line)
            QVERIFY(printer->printLine("a line of a document that is cancelled"));
        printer->abandon();
        QCOMPARE(Jobs().size(), before.size() + 1);
    }
};

QTEST_MAIN(PrintCupsTest)
#include "test_print_cups.moc"
