// Print from the window through the program's own services to a real CUPS queue (cups-pdf), set
// up by tests/support/cups-fixture.sh; the document CUPS spooled is read back.
#include "default_printer.h"
#include "qt_services.h"
#include "report_content.h"
#include "window_fixture.h"

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>

using namespace tessnivar;

namespace {

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Ids of the jobs the queue has had, completed or not.
QStringList JobIds() {
    QStringList ids;
    const QString listing = Run("lpstat", {"-W", "all", "-o", "TessnivarTest"});
    for (const auto& match :
         QRegularExpression(R"(^TessnivarTest-(\d+)\s)", QRegularExpression::MultilineOption)
             .globalMatch(listing))
        ids << match.captured(1);
    return ids;
}

bool Completed(const QString& id) {
    return Run("lpstat", {"-W", "completed", "-o", "TessnivarTest"})
        .contains(QRegularExpression("^TessnivarTest-" + id + "\\s",
                                     QRegularExpression::MultilineOption));
}

// The lines of a text with runs of blanks made one and blank lines dropped: how a PDF's text
// and the report's compare, whatever spacing the PDF reader restores.
QStringList Words(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split(QRegularExpression("[\r\n\f]+"))) {
        const QString simplified = line.simplified();
        if (!simplified.isEmpty())
            lines << simplified;
    }
    return lines;
}

// Closes any message box the real services show, so a failure shows as its text rather than as
// a test that never ends.
class MessageBoxCatcher : public QObject {
public:
    QStringList texts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (box && event->type() == QEvent::Show) {
            texts << box->text();
            QMetaObject::invokeMethod(box, &QMessageBox::reject, Qt::QueuedConnection);
        }
        return false;
    }
};

// Why the fixture could not set CUPS up here, or an empty text when it did.
QString CupsUnavailable() {
    QFile unavailable(qEnvironmentVariable("TESSNIVAR_CUPS_STATE") + "/unavailable");
    return unavailable.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(unavailable.readAll()).trimmed()
               : QString();
}

// The window after Calculate on 172.16.0.0 with 4 bits borrowed: 16 subnets, one page.
template <typename Fixture> void Calculate(Fixture& f) {
    f.typeAddress("172", "16", "0", "0");
    f.stepSpinner(3);
    f.calculate();
}

} // namespace

class PrintCupsTest : public QObject {
    Q_OBJECT

private slots:
    void withoutDefaultPrinterTheWindowSaysSoAndSendsNothing() {
        if (const QString why = CupsUnavailable(); !why.isEmpty())
            QSKIP(qPrintable("CUPS is not available: " + why));
        WindowFixture f;
        f.services.printer = [] {
            return QtServices().openDefaultPrinter();
        };
        Calculate(f);
        const QStringList before = JobIds();
        f.menu("printAction")->trigger();
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        QCOMPARE(f.services.messages.front().text,
                 "There is no default printer.\r\nNothing was printed.");
        QCOMPARE(JobIds(), before);
    }

    void printReachesTheDefaultPrinterAsTheReport() {
        if (const QString why = CupsUnavailable(); !why.isEmpty())
            QSKIP(qPrintable("CUPS is not available: " + why));
        BasicWindowFixture<QtServices> f;
        MessageBoxCatcher catcher;
        qApp->installEventFilter(&catcher);
        f.window->show();
        Calculate(f);
        const QStringList before = JobIds();
        f.menu("printAction")->trigger();
        QCOMPARE(catcher.texts, QStringList());

        QStringList jobs = JobIds();
        for (const QString& id : before)
            jobs.removeAll(id);
        QCOMPARE(jobs.size(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(Completed(jobs.front()), 30000);
        const QString spooled =
            QString("/var/spool/cups/d%1-001").arg(jobs.front().toInt(), 5, 10, QLatin1Char('0'));
        QVERIFY2(Run("pdfinfo", {spooled}).contains(QRegularExpression(R"(Pages:\s+1\n)")),
                 "not a one-page PDF");

        QStringList expected;
        const ReportFields fields{{"172", "16", "0", "0"}, "255.255.240.0", "4", "16", "4096"};
        for (const std::string& line : OpeningLines(fields, *ComputeReportFigures(fields)))
            expected << QString::fromStdString(line);
        expected << QString::fromStdString(ColumnHeader());
        for (int row = 0; row < 16; ++row)
            expected << QString("%1 172.16.%2.0 172.16.%3.255%4")
                            .arg(row)
                            .arg(row * 16)
                            .arg(row * 16 + 15)
                            .arg(row == 0 || row == 15 ? " UNUSABLE" : "");
        QCOMPARE(Words(Run("pdftotext", {"-layout", spooled, "-"})), Words(expected.join('\n')));
    }

    void abandonedDocumentNeverReachesThePrintSystem() {
        if (const QString why = CupsUnavailable(); !why.isEmpty())
            QSKIP(qPrintable("CUPS is not available: " + why));
        const QStringList before = JobIds();
        const auto printer = OpenDefaultPrinter();
        QVERIFY(printer);
        for (int line = 0; line < 200; ++line)
            QVERIFY(printer->printLine("a line of a document that is cancelled"));
        QCOMPARE_GT(printer->pagesBegun(), 1);
        printer->abandon();
        QCOMPARE(JobIds(), before);
    }
};

QTEST_MAIN(PrintCupsTest)
#include "test_print_cups.moc"
