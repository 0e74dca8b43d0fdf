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

} // namespace

class ReportCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private slots:
    void writeFileAsksForFormatFirst() {
        CalculatedWindow f;
        f.writeFile(MessageAnswer::Yes, std::nullopt);
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        const auto& question = f.services.messages.front();
        QCOMPARE(question.title, "Choose format");
        QCOMPARE(question.icon, MessageIcon::Question);
        QCOMPARE(question.buttons, MessageButtons::YesNo);
        QCOMPARE(
            question.text,
            "This program has the ability to output files in a comma\r\nseparated format which "
            "can be read by many spreadsheet\r\nprograms.  Would you like to output the file "
            "in this format?\r\nAnswering NO will result in a plain text file, which can be"
            "\r\nread into a word processor.");
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
        f.type(f.box("txtHosts"), "0");
        f.writeFile(MessageAnswer::Yes, path("counts.csv"));
        QCOMPARE(ReadAll(path("counts.csv")), "old");
        QCOMPARE(f.services.messages.size(), std::size_t{2});
        QCOMPARE(f.services.messages.back().icon, MessageIcon::Critical);
        QVERIFY(f.services.messages.back().text.contains("positive"));
    }

    void printGoesToDefaultPrinterOrSaysThereIsNone() {
        CalculatedWindow f;
        f.menu("mnuPrint")->trigger();
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        QVERIFY(f.services.messages.front().text.contains("no default printer"));
        // The window lets go of the printer when the document ends; keep what it recorded.
        struct KeptPrinter : RecordingPrinter {
            QStringList* kept = nullptr;
            ~KeptPrinter() override { *kept = calls; }
        };
        QStringList calls;
        f.services.printer = [&calls] {
            auto printer = std::make_unique<KeptPrinter>();
            printer->kept = &calls;
            return printer;
        };
        f.menu("mnuPrint")->trigger();
        QCOMPARE(calls.mid(0, 3),
                 (QStringList{"bold on", "size 24", "line Tessnivar v 1.0 -- by Brolwick"}));
        QCOMPARE(calls.filter(QStringLiteral("UNUSABLE")).size(), 2);
        QCOMPARE(calls.last(), "end");
        QCOMPARE(f.services.messages.size(), std::size_t{1});
    }

    void exitEndsProgramWithoutAsking() {
        CalculatedWindow f;
        f.menu("mnuExit")->trigger();
        QCOMPARE(f.services.endProgramCalls, 1);
        QVERIFY(f.services.messages.empty());
    }
};

QTEST_MAIN(ReportCommandsTest)
#include "test_report_commands.moc"
