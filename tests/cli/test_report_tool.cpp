// tessnivar-report run as a user or a script runs it: its report checked against the main window
// it stands in for, its exit statuses and messages, and where its output goes.
#include "window_fixture.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace tessnivar;

namespace {

const QString kTool = QStringLiteral(TESSNIVAR_REPORT_TOOL);

// How a run ended: its exit status, a space and what it wrote to standard error; and what it wrote
// to standard output.
struct ToolRun {
    QByteArray status, out;
};

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file the window's Write File writes for the tool's arguments: ADDRESS typed into the octet
// boxes, the spinner stepped up to BITS, Calculate clicked and the form chosen; nothing when the
// window refuses the plan.
QByteArray WindowReport(const QStringList& arguments, const QString& fileName) {
    WindowFixture f;
    const QStringList octets = arguments[0].split('.');
    f.typeAddress(octets[0], octets[1], octets[2], octets[3]);
    // The first step up from 0 passes over 1 and lands on 2.
    f.stepSpinner(std::max(arguments[1].toInt() - 1, 0));
    f.calculate();
    const bool csv = arguments.contains("--csv");
    f.writeFile(csv ? MessageAnswer::Yes : MessageAnswer::No, fileName);
    return ReadAll(csv ? fileName + ".csv" : fileName);
}

} // namespace

class ReportToolTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir_;
    QString path(const QString& name) const { return QDir(dir_->path()).filePath(name); }
    QStringList files() const {
        return QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
    }
    // Runs program (the tool unless given) with arguments in the test's folder; it must end by
    // itself, not by a signal.
    ToolRun run(const QStringList& arguments, const QString& program = kTool) const {
        QProcess process;
        process.setWorkingDirectory(dir_->path());
        process.start(program, arguments);
        if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
            qFatal("%s did not finish", qPrintable(program));
        return {QByteArray::number(process.exitCode()) + " " + process.readAllStandardError(),
                process.readAllStandardOutput()};
    }
    // Runs the shell command script, in which "$0" is the tool, for what QProcess cannot set up:
    // a redirection shared with other commands, or an argument that is not UTF-8.
    ToolRun shell(const QString& script) const { return run({"-c", script, kTool}, "/bin/sh"); }

private slots:
    void init() { dir_ = std::make_unique<QTemporaryDir>(); }

    // A plan of each class, in both forms, text also by default; unsubnetted; octets as typed, a
    // space among them; a character that is not ASCII; a table longer than the chunks the report
    // is written in; BITS written as the spinner never shows it.
    void reportEqualsWindowsWriteFileByteForByte() {
        const QStringList plans[] = {{"192.168.1.0", "0", "--csv"},
                                     {"172.16.0.0", "+014"},
                                     {"010. 0.0abc.", "2", "--text"},
                                     {"200.1.2.0é", "6", "--csv"}};
        for (const QStringList& arguments : plans) {
            const QByteArray window = WindowReport(arguments, path("window"));
            const ToolRun printed = run(arguments);
            QCOMPARE(arguments[0].toUtf8() + ": " + printed.status + printed.out,
                     arguments[0].toUtf8() + ": 0 " + window);
            // -o writes the same bytes, under the name as given, nothing on standard output.
            const ToolRun written = run(QStringList{"-o", path("tool")} + arguments);
            QCOMPARE(written.status + written.out + ReadAll(path("tool")), "0 " + window);
        }
    }

    // The status and the start of the message after "tessnivar-report: ". The window's boxes
    // hold one line each, so that a report never has a line break of its own in the middle of a
    // line: a control character in ADDRESS is a usage error.
    void eachErrorHasItsExitCodeAndSaysWhy_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("status");
        const auto row = [](const char* name, const QStringList& arguments,
                            const QByteArray& status) {
            QTest::newRow(name) << arguments << status;
        };
        row("no arguments", {}, "1 expected ADDRESS and BITS, got 0 arguments.\nusage: ");
        row("three octets", {"10.0.0", "2"}, "1 ADDRESS must be four octets");
        row("five octets", {"10.0.0.0.0", "2"}, "1 ADDRESS must be four octets");
        row("fractional bits", {"10.0.0.0", "2.5"}, "1 BITS must be a whole number");
        row("unknown option", {"-x", "10.0.0.0", "2"}, "1 unknown option");
        row("both forms", {"--csv", "--text", "10.0.0.0", "2"}, "1 --csv and --text cannot");
        row("--csv twice", {"--csv", "10.0.0.0", "--csv", "2"}, "1 --csv can be given only once.");
        row("-o as the last argument", {"10.0.0.0", "2", "-o"}, "1 -o needs a file name.");
        row("-o twice", {"-o", "a", "10.0.0.0", "2", "-o", "b"}, "1 -o can be given only once.");
        const QByteArray control = "1 ADDRESS must not contain control characters, found byte 0x";
        row("line feed in ADDRESS", {"-o", "r", "1.0.0.0\nInjected line", "2"},
            control + "0A.\nusage");
        row("unit separator in ADDRESS", {"1.0.0.0\x1f", "2"}, control + "1F.");
        row("delete in ADDRESS", {"1.0.0\x7f.0", "2"}, control + "7F.");
        row("first octet above 223", {"224.0.0.0", "2"}, "2 the first octet 224 is above 223");
        row("one bit", {"172.16.0.0", "1"}, "2 1 bit borrowed leaves no usable subnets; a Class B");
        row("too many bits", {"192.168.0.0", "7"},
            "2 cannot borrow 7 bits; a Class C network takes 0, or 2 to 6 bits.\n");
        row("negative bits", {"10.0.0.0", "-2"}, "2 cannot borrow -2 bits; a Class A");
        row("huge bits", {"10.0.0.0", "99999999999999999999"},
            "2 cannot borrow 99999999999999999999 bits; a Class A");
        row("not a network address", {"172.16.1.0", "2"},
            "2 Sorry: This address cannot be subnetted.\nThe address 172.16.1.0 does not");
        row("octet out of range", {"-9999999999.0.0.0", "2"},
            "2 Sorry: This address cannot be subnetted.\nThe octet -9999999999 is out");
        row("control characters in FILE", {"-o", "no/a\nb\x1b[2J", "10.0.0.0", "2"},
            "3 cannot write 'no/a'$'\\n''b'$'\\033''[2J': No such file or directory\n");
    }
    void eachErrorHasItsExitCodeAndSaysWhy() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, status);
        // Nothing else: no output, no file.
        ToolRun ended = run(arguments);
        QCOMPARE(ended.status.replace(" tessnivar-report: ", " ").left(status.size()) + ended.out,
                 status);
        QCOMPARE(files(), QStringList());
    }

    void everyFailedWriteIsExitThreeWithTheReason() {
        for (const QString arguments : {"--help", "--version", "192.168.1.0 2"})
            QCOMPARE(shell(R"("$0" )" + arguments + " >/dev/full").status,
                     "3 tessnivar-report: "
                     "cannot write the standard output: No space left on device\n");
    }

    // FILE as the shell names it. The shell opened its own standard stream, to append and after
    // output of its own: replacing the file behind it would lose what is there and cut off what
    // comes after. Byte 0xFF is never UTF-8; QProcess cannot pass it, printf can. QDir lists only
    // names that are UTF-8, so nothing was written under a mended name; nor can it remove this one.
    void fileIsTheOneTheShellNames() {
        const ToolRun ran = shell(R"sh(echo old >log
            (echo 1; "$0" -o /dev/stdout 192.168.1.0 2; echo 2) >>log
            (echo 3 >&2; "$0" -o /dev/stderr 192.168.1.0 2; echo 4 >&2) 2>>log
            (echo 5; "$0" -o ./log 192.168.1.0 2; echo 6) >>log
            "$0" -o "$(printf 'r\377.txt')" 192.168.1.0 2)sh");
        const QByteArray report = run({"192.168.1.0", "2"}).out;
        QCOMPARE(ran.status + ReadAll(path("log")),
                 "0 old\n1\n" + report + "2\n3\n" + report + "4\n5\n" + report + "6\n");
        QCOMPARE(files(), QStringList{"log"});
        QCOMPARE(unlink((QFile::encodeName(dir_->path()) + "/r\xff.txt").constData()), 0);
    }
};

QTEST_MAIN(ReportToolTest)
#include "test_report_tool.moc"
