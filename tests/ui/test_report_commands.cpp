// Print, Write File, About and Exit as the main window runs them.
#include "recording_printer.h"
#include "window_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace tessnivar;

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The window after Calculate on 192.168.1.0 with 2 bits borrowed: four subnets of 64.
struct CalculatedWindow : WindowFixture {
    CalculatedWindow() {
        type(octet(2), "1");
        stepSpinner(1);
        calculate();
    }
};

// A default printer of linesPerPage lines a page (0: one page) whose calls are kept in calls when
// the window lets go of it at the end of the document.
std::function<std::unique_ptr<ReportPrinter>()> KeepCalls(QStringList& calls,
                                                          int linesPerPage = 0) {
    struct KeptPrinter : RecordingPrinter {
        QStringList* kept = nullptr;
        ~KeptPrinter() override { *kept = calls; }
    };
    return [&calls, linesPerPage] {
        auto printer = std::make_unique<KeptPrinter>();
        printer->kept = &calls;
        printer->linesPerPage = linesPerPage;
        return printer;
    };
}

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private slots:
    void writeFileAsksForFormatFirst() {
        CalculatedWindow f;
        f.writeFile(MessageAnswer::Yes, std::nullopt);
        QCOMPARE(f.messagesShown(),
                 QStringList{"Choose format: This program has the ability to output files in a "
                             "comma\r\nseparated format which can be read by many spreadsheet\r\n"
                             "programs.  Would you like to output the file in this format?\r\n"
                             "Answering NO will result in a plain text file, which can be\r\nread "
                             "into a word processor."});
        QCOMPARE(f.services.messages.front().icon, MessageIcon::Question);
        QCOMPARE(f.services.messages.front().buttons, MessageButtons::YesNo);
    }

    void yesWritesCsvFileUnderCsvNameAndNoWritesTextFileAsNamed() {
        CalculatedWindow f;
        f.writeFile(MessageAnswer::Yes, path("plan"));
        f.writeFile(MessageAnswer::No, path("plan"));
        QCOMPARE(f.services.askedFilters,
                 (QStringList{"Comma Separated Values (*.csv)",
                              "Plain Text Files (*.txt);;All Files (*.*)"}));
        const QByteArray csv = ReadAll(path("plan.csv"));
        QCOMPARE(csv.size(), 651);
        QVERIFY(csv.endsWith("3,192.168.1.192,192.168.1.255,UNUSABLE\r\n"));
        const QByteArray text = ReadAll(path("plan"));
        QCOMPARE(text.size(), 832);
        QVERIFY(text.startsWith("Tessnivar v 1.0 -- by Brolwick\r\n\r\nREMINDER:"));
        QCOMPARE(f.services.messages.size(), std::size_t{2});
    }

    void lastChosenNameIsOfferedAgainAndCancelWritesNothing() {
        CalculatedWindow f;
        f.writeFile(MessageAnswer::Yes, path("first"));
        f.writeFile(MessageAnswer::No, path("second.txt"));
        const QStringList filesBefore = QDir(dir_.path()).entryList(QDir::Files);
        f.writeFile(MessageAnswer::Yes, std::nullopt);
        QCOMPARE(f.services.offeredNames, (QStringList{"", path("first"), path("second.txt")}));
        // The cancelled third write changed nothing and said nothing beyond the format question.
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), filesBefore);
        QCOMPARE(f.services.messages.size(), std::size_t{3});
    }

    void countsThatGiveNoFractionAreRefusedBeforeFileIsTouched() {
        CalculatedWindow f;
        QFile existing(path("counts.csv"));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("old");
        existing.close();
        f.type(f.box("hostCountEdit"), "0");
        f.writeFile(MessageAnswer::Yes, path("counts.csv"));
        QCOMPARE(ReadAll(path("counts.csv")), "old");
        QCOMPARE(f.messagesShown().mid(1),
                 QStringList{"Report Error: The report cannot be made.\r\nThe subnet and host "
                             "counts must be positive numbers."});
    }

    void printGoesToDefaultPrinterOrSaysThereIsNone() {
        CalculatedWindow f;
        f.menu("printAction")->trigger();
        QCOMPARE(f.messagesShown(),
                 QStringList{"Print Error: There is no default printer.\r\nNothing was printed."});
        QStringList calls;
        f.services.printer = KeepCalls(calls);
        f.menu("printAction")->trigger();
        QCOMPARE(calls.mid(0, 3),
                 (QStringList{"bold on", "size 24", "line Tessnivar v 1.0 -- by Brolwick"}));
        QCOMPARE(calls.filter(QStringLiteral("UNUSABLE")).size(), 2);
        QCOMPARE(calls.last(), "end");
        QCOMPARE(f.services.messages.size(), std::size_t{1});
    }

    void cancelInTheProgressWindowAbandonsThePrintQuietly() {
        CalculatedWindow f;
        // Twenty lines at ten a page: two pages, and Cancel once the first is done.
        QStringList calls;
        f.services.printer = KeepCalls(calls, 10);
        f.services.cancelAfterPage = 1;
        f.menu("printAction")->trigger();
        QCOMPARE(f.services.progress, (QStringList{"start 2", "done 1"}));
        QCOMPARE(calls.last(), "abandon");
        QVERIFY(!calls.contains("end"));
        QCOMPARE(f.services.messages.size(), std::size_t{0});
    }

    void printerFailingPartWayIsReportedAndAbandoned() {
        CalculatedWindow f;
        f.services.printer = [] {
            auto printer = std::make_unique<RecordingPrinter>();
            printer->failAtLine = 12;
            return printer;
        };
        f.menu("printAction")->trigger();
        QCOMPARE(f.messagesShown(), QStringList{"Print Error: The printer failed while printing."
                                                "\r\nThe document was abandoned."});
        QCOMPARE(f.services.messages.front().icon, MessageIcon::Critical);
    }

    void fileThatCannotBeWrittenIsNamedWithTheReason() {
        CalculatedWindow f;
        // A control character in the name is shown escaped, as ls shows it.
        const QString missing = path("no such folder\n/plan.txt");
        f.writeFile(MessageAnswer::No, missing);
        QCOMPARE(f.messagesShown().mid(1),
                 QStringList{"Write File Error: Cannot write '" + path("no such folder") +
                             "'$'\\n''/plan.txt':\r\nNo such file or directory"});
        QCOMPARE(f.services.messages.back().icon, MessageIcon::Critical);
        QVERIFY(!QFile::exists(missing));
    }

    void exitEndsProgramWithoutAsking() {
        CalculatedWindow f;
        f.menu("exitAction")->trigger();
        QCOMPARE(f.services.endProgramCalls, 1);
        QVERIFY(f.services.messages.empty());
    }
};

QTEST_MAIN(ReportCommandsTest)
#include "test_report_commands.moc"
