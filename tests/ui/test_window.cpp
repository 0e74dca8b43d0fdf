// What random input cannot reach: the start state, focus, the exact messages, the services'
// flow, the largest plan, and every text of both windows drawn whole in the face the program
// chooses.
#include "about_dialog.h"
#include "interface_font.h"
#include "recording_printer.h"
#include "window_fixture.h"

#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <fstream>
#include <unistd.h>

using namespace tessnivar;

namespace {

// The process's resident memory once the three lists have laid out and painted their rows.
long ResidentBytesAfterPainting(const WindowFixture& f) {
    for (const char* name : kLists)
        f.list(name)->viewport()->repaint();
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The place of the first character a box shows at its left edge.
int FirstShown(QLineEdit* box) {
    box->repaint(); // a line edit scrolls its text when it paints
    return box->cursorPositionAt({box->contentsRect().left() + 3, box->height() / 2});
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseInterfaceFont();
        // Not a skip: the install script brings the faces.
        QCOMPARE(QFontInfo(QApplication::font()).family(), "Liberation Sans Narrow");
    }

    void startStateAndFocus() {
        WindowFixture f;
        f.window->show();
        QApplication::setActiveWindow(f.window.get());
        QStringList texts;
        for (const char* name : {"octetEdit0", "octetEdit1", "octetEdit2", "octetEdit3"})
            texts << f.box(name)->text();
        QCOMPARE(texts, (QStringList{"192", "168", "0", "0"}));
        QCOMPARE(QApplication::focusWidget(), f.list("subnetList"));
        QStringList visited;
        for (int i = 0; i < 13; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"startList", "endList", "octetEdit0", "octetEdit1",
                                       "octetEdit2", "octetEdit3", "maskEdit", "bitsEdit",
                                       "bitsSpinner", "calculateButton", "subnetCountEdit",
                                       "hostCountEdit", "subnetList"}));
        // Entering a box selects its text; the fourth hands the focus on at exactly 3 characters.
        f.octet(3)->deselect();
        f.octet(3)->setFocus();
        QCOMPARE(f.octet(3)->selectedText(), "0");
        QTest::keyClicks(f.octet(3), "12");
        QCOMPARE(QApplication::focusWidget(), f.octet(3));
        QTest::keyClicks(f.octet(3), "8");
        QCOMPARE(QApplication::focusWidget(), f.control("calculateButton"));
    }

    // Every message of the window, word for word, with the state each one leaves.
    void messages() {
        const QTemporaryDir dir;
        const QString plan = QDir(dir.path()).filePath("plan");
        WindowFixture f;
        f.type(f.octet(0), "224");
        QCOMPARE(f.octet(0)->text(), "223");
        f.typeAddress("192", "168", "0", "5");
        f.calculate();
        f.typeAddress("192", "168", "0", "0");
        f.calculate();
        f.writeFile(MessageAnswer::Yes, std::nullopt);
        f.writeFile(MessageAnswer::No, plan + "\n/x");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList());
        f.menu("printAction")->trigger();
        f.services.printer = [] {
            auto printer = std::make_unique<RecordingPrinter>();
            printer->failAtLine = 12;
            printer->linesPerPage = 5;
            return printer;
        };
        f.menu("printAction")->trigger();
        f.type(f.box("hostCountEdit"), "0");
        f.writeFile(MessageAnswer::No, plan);
        // Beyond what address entry allows: only a spinner maximum above the class's reaches it.
        f.spinner()->setMaximum(7);
        f.stepSpinner(7);
        const QString choose =
            "Choose format: This program has the ability to output files in a comma\r\nseparated "
            "format which can be read by many spreadsheet\r\nprograms.  Would you like to output "
            "the file in this format?\r\nAnswering NO will result in a plain text file, which "
            "can be\r\nread into a word processor.";
        const QStringList expected{
            "IP Error!: The IP you are entering is invalid.\r\nThe first octet must be < 224\r\n"
            "Adjusting vlaues...",
            "Subnet Error!: Sorry: This address cannot be subnetted.\r\nThe address 192.168.0.5 "
            "does not represent a network address.\r\nHINT: To be a network address, the last "
            "octet MUST be zero.",
            choose,
            choose,
            "Write File Error: Cannot write '" + plan + "'$'\\n''/x':\r\nNo such file or directory",
            "Print Error: There is no default printer.\r\nNothing was printed.",
            "Print Error: The printer failed while printing.\r\nThe document was abandoned.",
            choose,
            "Report Error: The report cannot be made.\r\nThe subnet and host counts must be "
            "positive numbers.",
            "Tessnivar: There has been an error.\r\nError Code: RC-01"};
        QCOMPARE(f.services.messages, expected);
        QCOMPARE(f.services.endProgramCalls, 1);
        f.menu("exitAction")->trigger();
        QCOMPARE(f.services.endProgramCalls, 2);
    }

    // Save As offers the name last chosen; the file takes ".csv" for CSV; a cancelled print is
    // not told.
    void writeFileAndCancelledPrint() {
        const QTemporaryDir dir;
        const QString plan = QDir(dir.path()).filePath("plan");
        WindowFixture f;
        f.calculate();
        f.writeFile(MessageAnswer::Yes, plan);
        f.writeFile(MessageAnswer::No, plan);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), (QStringList{"plan", "plan.csv"}));
        QCOMPARE(f.services.offeredNames, (QStringList{"", plan}));
        f.services.printer = [] {
            return std::make_unique<RecordingPrinter>();
        };
        f.services.cancelAfterPage = 1;
        f.menu("printAction")->trigger();
        QCOMPARE(f.services.messages.size(), 2);
    }

    // The largest plan: every text drawn whole; typing in the lists searches them by computing,
    // not by a look through four million rows (the test's time limit catches a window that
    // freezes); the lists take no memory per row (laying out rows would take some 30 MB each).
    void largestPlan() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.stepSpinner(3);
        f.calculate();
        const long smallPlan = ResidentBytesAfterPainting(f);
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        f.calculate();
        QCOMPARE(f.list("startList")->model()->rowCount(), 4194304);
        QCOMPARE_LT(ResidentBytesAfterPainting(f) - smallPlan, 10L << 20);
        AboutDialog about;
        about.show();
        for (QWidget* window : QWidgetList{&about, f.window.get()}) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                const QRect room = label->contentsRect();
                const int flags = label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0);
                QVERIFY2(
                    room.contains(label->fontMetrics().boundingRect(room, flags, label->text())),
                    qPrintable(label->text()));
            }
            for (const QPushButton* button : window->findChildren<QPushButton*>()) {
                const int margins =
                    2 * (button->style()->pixelMetric(QStyle::PM_ButtonMargin) +
                         button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
                QCOMPARE_LE(button->fontMetrics().horizontalAdvance(button->text()) + margins,
                            button->width());
            }
        }
        QMenuBar* bar = f.window->menuBar();
        for (QAction* action : bar->actions()) {
            const QRect item = bar->actionGeometry(action);
            QVERIFY(item.isValid() && item.right() < bar->width());
            QCOMPARE_LE(bar->fontMetrics().horizontalAdvance(action->text().remove('&')),
                        item.width());
        }
        // The widest entries a list can hold, beside its scroll bar.
        QCoreApplication::processEvents(); // the lists lay out their rows
        for (int i = 0; const char* name : kLists) {
            QAbstractItemView* list = f.list(name);
            const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
            QVERIFY(list->verticalScrollBar()->isVisible());
            QCOMPARE_LE(list->fontMetrics().horizontalAdvance(
                            QStringList{"4194303", "223.255.255.255", "223.255.255.255"}[i++]),
                        list->viewport()->width() - 2 * margin);
        }
        for (QLineEdit* box : f.window->findChildren<QLineEdit*>()) {
            QCOMPARE(FirstShown(box), 0);
            box->end(false);
            QCOMPARE(box->toolTip(), FirstShown(box) > 0 ? box->text() : QString());
        }
        QTest::keyClicks(f.list("startList"), "10.255.255.25");
        QCOMPARE(f.selectedRows(), QList<int>(3, 4194303));
        // From the last row a new text goes round to the first.
        QTest::keyClicks(f.list("subnetList"), "41943");
        QCOMPARE(f.selectedRows(), QList<int>(3, 41943));
        QTest::keyClicks(f.list("endList"), "10.0.163.");
        QCOMPARE(f.selectedRows(), QList<int>(3, 10432));
        // A long text that no row begins with leaves the selection where it was.
        QTest::keyClicks(f.list("subnetList"), QString(300, 'x'));
        QCOMPARE(f.selectedRows(), QList<int>(3, 10432));
        f.type(f.box("hostCountEdit"), "123456789012345");
        QCOMPARE(f.box("hostCountEdit")->toolTip(), "123456789012345");
    }
};

QTEST_MAIN(WindowTest)
#include "test_window.moc"
