// tessnivar-report's command line run as a user runs it, checked against the main window it stands
// in for.
#include "about_window.h"
#include "tool_run.h"
#include "window_fixture.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

using namespace tessnivar;

namespace {

// The file the window's Write File writes after the octets are typed, the spinner is stepped up
// to bits and Calculate is clicked.
QByteArray WindowReport(const QStringList& octets, int bits, bool csv, const QString& fileName) {
    WindowFixture f;
    f.typeAddress(octets[0], octets[1], octets[2], octets[3]);
    // The first step up from 0 passes over 1 and lands on 2.
    f.stepSpinner(bits == 0 ? 0 : bits - 1);
    f.calculate();
    f.writeFile(csv ? MessageAnswer::Yes : MessageAnswer::No, fileName);
    if (f.services.messages.size() != 1)
        qFatal("the window refused the plan");
    return ReadAll(csv ? fileName + ".csv" : fileName);
}

} // namespace

class ReportToolTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

private slots:
    void reportEqualsWindowsWriteFileByteForByte_data() {
        QTest::addColumn<QStringList>("octets");
        QTest::addColumn<int>("bits");
        QTest::addColumn<bool>("csv");
        QTest::newRow("class C, 3 bits, text") << QStringList{"192", "168", "1", "0"} << 3 << false;
        QTest::newRow("class C unsubnetted, csv")
            << QStringList{"192", "168", "1", "0"} << 0 << true;
        QTest::newRow("class B, 14 bits, csv") << QStringList{"172", "16", "0", "0"} << 14 << true;
        QTest::newRow("class A, 9 bits, text") << QStringList{"10", "0", "0", "0"} << 9 << false;
        QTest::newRow("octets as typed, text")
            << QStringList{"010", " 0", "0abc", ""} << 2 << false;
        QTest::newRow("non-ASCII octet, csv") << QStringList{"200", "1", "2", "0é"} << 6 << true;
        QTest::newRow("negative first octet, text")
            << QStringList{"-1", "0", "0", "0"} << 4 << false;
    }
    void reportEqualsWindowsWriteFileByteForByte() {
        QFETCH(QStringList, octets);
        QFETCH(int, bits);
        QFETCH(bool, csv);
        const QByteArray window = WindowReport(octets, bits, csv, path("window"));
        QVERIFY(!window.isEmpty());

        QStringList arguments{octets.join('.'), QString::number(bits)};
        if (csv)
            arguments.prepend("--csv");
        const ToolRun run = RunTool(arguments);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QByteArray());
        QCOMPARE(run.out, window);

        // -o writes the same bytes, under the name exactly as given, and nothing else anywhere.
        QFile::remove(path("tool"));
        const ToolRun toFile = RunTool(QStringList{"-o", path("tool")} + arguments);
        QCOMPARE(toFile.exitCode, 0);
        QCOMPARE(toFile.out, QByteArray());
        QCOMPARE(toFile.err, QByteArray());
        QCOMPARE(ReadAll(path("tool")), window);
        QVERIFY(!QFile::exists(path("tool.csv")));
    }

    void eachErrorHasItsExitCodeAndSaysWhy_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");
        const QString usage = "usage: tessnivar-report [--csv | --text] [-o FILE] ADDRESS BITS\n";
        QTest::newRow("no arguments") << QStringList{} << 1 << usage;
        QTest::newRow("three octets") << QStringList{"10.0.0", "2"} << 1 << usage;
        QTest::newRow("five octets") << QStringList{"10.0.0.0.0", "2"} << 1 << usage;
        QTest::newRow("fractional bits") << QStringList{"10.0.0.0", "2.5"} << 1 << usage;
        QTest::newRow("unknown option") << QStringList{"-x", "10.0.0.0", "2"} << 1 << usage;
        QTest::newRow("both forms")
            << QStringList{"--csv", "--text", "10.0.0.0", "2"} << 1 << usage;
        QTest::newRow("-o as the last argument")
            << QStringList{"10.0.0.0", "2", "-o"} << 1 << "-o needs a file name.\n" + usage;
        QTest::newRow("-o twice") << QStringList{"-o", path("a"), "10.0.0.0", "2", "-o", path("b")}
                                  << 1 << "-o can be given only once.\n" + usage;
        // The window's boxes hold one line each, so a report never has a line break of its own
        // in the middle of a line.
        const QString control = "ADDRESS must not contain control characters, found byte ";
        QTest::newRow("line feed in ADDRESS")
            << QStringList{"-o", path("injected"), "192.168.1.0\nInjected line", "2"} << 1
            << control + "0x0A.\n" + usage;
        QTest::newRow("carriage return in ADDRESS")
            << QStringList{"192.168.1.0\r", "2"} << 1 << control + "0x0D.\n";
        QTest::newRow("tab in ADDRESS")
            << QStringList{"192.168.1.\t0", "2"} << 1 << control + "0x09.\n";
        QTest::newRow("escape in ADDRESS")
            << QStringList{"\x1b[2J192.168.1.0", "2"} << 1 << control + "0x1B.\n";
        QTest::newRow("delete in ADDRESS")
            << QStringList{"192.168.1.0\x7f", "2"} << 1 << control + "0x7F.\n";
        QTest::newRow("first octet above 223")
            << QStringList{"224.0.0.0", "2"} << 2 << "the first octet 224 is above 223";
        QTest::newRow("one bit") << QStringList{"172.16.0.0", "1"} << 2
                                 << "a Class B network takes 0, or 2 to 14 bits.";
        QTest::newRow("too many bits") << QStringList{"192.168.0.0", "7"} << 2
                                       << "cannot borrow 7 bits; a Class C network takes 0, or "
                                          "2 to 6 bits.";
        QTest::newRow("negative bits")
            << QStringList{"10.0.0.0", "-2"} << 2 << "cannot borrow -2 bits; a Class A";
        QTest::newRow("huge bits") << QStringList{"10.0.0.0", "99999999999999999999"} << 2
                                   << "cannot borrow 99999999999999999999 bits";
        QTest::newRow("not a network address")
            << QStringList{"172.16.1.0", "2"} << 2
            << "Sorry: This address cannot be subnetted.\nThe address 172.16.1.0 does not "
               "represent a network address.\nHINT: To be a network address, the last two octets "
               "MUST be zero\nsince this is a Class B address.\n";
        QTest::newRow("octet out of range")
            << QStringList{"-9999999999.0.0.0", "2"} << 2
            << "Sorry: This address cannot be subnetted.\nThe octet -9999999999 is out of range.\n";
        QTest::newRow("unwritable file")
            << QStringList{"-o", "/nonexistent-folder/plan.txt", "10.0.0.0", "2"} << 3
            << "cannot write /nonexistent-folder/plan.txt: No such file or directory\n";
    }
    void eachErrorHasItsExitCodeAndSaysWhy() {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, message);
        const ToolRun run = RunTool(arguments);
        QCOMPARE(run.exitCode, exitCode);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("tessnivar-report: "), run.err.constData());
        QVERIFY2(QString::fromUtf8(run.err).contains(message), run.err.constData());
        const bool written = QFile::remove(path("injected"));
        QVERIFY(!written);
    }

    void helpExamplesRunAndVersionIsTheAboutWindows() {
        const ToolRun help = RunTool({"--help"});
        QCOMPARE(help.exitCode, 0);
        const QList<QByteArray> lines = help.out.split('\n');
        const qsizetype examples = lines.indexOf("Examples:");
        QVERIFY(examples > 0);
        QTemporaryDir work;
        for (qsizetype i = examples + 1; i <= examples + 2; ++i) {
            QStringList example = QString::fromUtf8(lines[i]).split(' ', Qt::SkipEmptyParts);
            QCOMPARE(example.takeFirst(), "tessnivar-report");
            const ToolRun run = RunTool(example, work.path());
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.err, QByteArray());
        }

        frmAbout about;
        const auto* label = about.findChild<QLabel*>("Label2");
        QVERIFY(label);
        const ToolRun version = RunTool({"--version"});
        QCOMPARE(version.exitCode, 0);
        QCOMPARE(version.out, "tessnivar-report " + label->text().toUtf8() + "\n");
    }
};

QTEST_MAIN(ReportToolTest)
#include "test_report_tool.moc"
