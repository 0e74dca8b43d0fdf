// Calculate and the three linked result lists of the main window.
#include "window_fixture.h"

#include <fstream>
#include <unistd.h>

using namespace tessnivar;

namespace {

using Rows = QList<int>;

// Clicks row of list, with modifiers.
void ClickRow(QAbstractItemView* list, int row, Qt::KeyboardModifiers modifiers = {}) {
    const QModelIndex index =
        list->model()->index(row, WindowFixture::columnOf(qPrintable(list->objectName())));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers,
                      list->visualRect(index).center());
}

// The process's resident memory once the three lists have laid out and painted their rows.
long ResidentBytesAfterPainting(const WindowFixture& f) {
    for (const char* name : {"subnetList", "startList", "endList"}) {
        f.list(name)->doItemsLayout();
        f.list(name)->viewport()->repaint();
    }
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace

class CalculateTest : public QObject {
    Q_OBJECT

private slots:
    void typicalUseListsSixteenClassBSubnets() {
        WindowFixture f;
        f.typeAddress("172", "16", "0", "0");
        f.stepSpinner(3);
        QCOMPARE(f.box("maskEdit")->text(), "255.255.240.0");
        f.calculate();
        QCOMPARE(f.services.messages.size(), std::size_t{0});
        QCOMPARE(f.rowCount("endList"), 16);
        QCOMPARE(f.row(0), (QStringList{"0", "172.16.0.0", "172.16.15.255"}));
        QCOMPARE(f.row(1), (QStringList{"1", "172.16.16.0", "172.16.31.255"}));
        QCOMPARE(f.row(15), (QStringList{"15", "172.16.240.0", "172.16.255.255"}));
        QVERIFY(f.menu("printAction")->isEnabled());
        QVERIFY(f.menu("writeFileAction")->isEnabled());
        QCOMPARE(f.selectedRows(), (Rows{-1, -1, -1}));
        // Again, by keyboard: the lists are replaced, not doubled.
        QTest::keyClick(f.control("calculateButton"), Qt::Key_Space);
        QCOMPARE(f.rowCount("startList"), 16);
    }

    void refusedAddressChangesNothingButShowsWhy_data() {
        QTest::addColumn<QStringList>("address");
        QTest::addColumn<QString>("text");
        const QString sorry = "Sorry: This address cannot be subnetted.\r\n";
        QTest::newRow("Class C") << QStringList{"192", "168", "0", "5"}
                                 << sorry + "The address 192.168.0.5 does not represent a network "
                                            "address.\r\nHINT: To be a network address, the last "
                                            "octet MUST be zero.";
        QTest::newRow("Class A, empty box")
            << QStringList{"10", "", "1", "0"}
            << sorry + "The address 10..1.0 does not represent a network address.\r\nHINT: To be "
                       "a network address, the last three octets MUST be zero\r\nsince this is a "
                       "Class A address.";
        QTest::newRow("octet beyond 32 bits") << QStringList{"192", "99999999999", "0", "0"}
                                              << sorry + "The octet 99999999999 is out of range.";
    }
    void refusedAddressChangesNothingButShowsWhy() {
        QFETCH(QStringList, address);
        QFETCH(QString, text);
        WindowFixture f;
        f.stepSpinner(1);
        f.calculate();
        f.typeAddress(address[0], address[1], address[2], address[3]);
        f.calculate();
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        const auto& message = f.services.messages.front();
        QCOMPARE(message.title + ": " + message.text, "Subnet Error!: " + text);
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(f.rowCount("subnetList"), 4);
        QCOMPARE(f.row(1), (QStringList{"1", "192.168.0.64", "192.168.0.127"}));
        QVERIFY(!f.menu("writeFileAction")->isEnabled());
    }

    void selectingRowInAnyListSelectsItInAllThree() {
        WindowFixture f;
        f.stepSpinner(5);
        f.calculate();
        ClickRow(f.list("endList"), 5);
        QCOMPARE(f.selectedRows(), (Rows{5, 5, 5}));
        QTest::keyClick(f.list("endList"), Qt::Key_Down);
        QCOMPARE(f.selectedRows(), (Rows{6, 6, 6}));
        QTest::keyClick(f.list("subnetList"), Qt::Key_Up);
        QCOMPARE(f.selectedRows(), (Rows{5, 5, 5}));
        // Ctrl+click on the selected row takes the selection away, in all three lists.
        ClickRow(f.list("startList"), 5, Qt::ControlModifier);
        QCOMPARE(f.selectedRows(), (Rows{-1, -1, -1}));
    }

    void listKeysMoveAllThreeListsTogether() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.stepSpinner(5); // 64 subnets of 192.168.0.0
        f.calculate();
        QCoreApplication::processEvents(); // the lists lay out their rows
        QAbstractItemView* start = f.list("startList");
        QTest::keyClick(start, Qt::Key_End);
        QCOMPARE(f.selectedRows(), (Rows{63, 63, 63}));
        QVERIFY(start->visualRect(start->currentIndex()).intersects(start->viewport()->rect()));
        QTest::keyClick(start, Qt::Key_Home);
        QCOMPARE(f.selectedRows(), (Rows{0, 0, 0}));
        QTest::keyClick(start, Qt::Key_PageDown);
        const int page = f.selectedRow("startList");
        QCOMPARE_GT(page, 5);
        QTest::keyClick(start, Qt::Key_Down);
        QTest::keyClick(start, Qt::Key_Right);
        QCOMPARE(f.selectedRows(), (Rows{page + 1, page + 1, page + 1}));
        // Tab leaves the list for the next one.
        QApplication::setActiveWindow(f.window.get());
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.list("endList"));
    }

    // In the largest plan too: each key's search is computed, not a look through four million
    // rows, so the test ends at once (its CTest time limit catches a window that freezes). The
    // shown lists take no memory per row: going from 16 rows to 4,194,304 the process grows by
    // less than 10 MB (a list laying out its rows would take some 30 MB each).
    void typingSelectsTheNextRowBeginningWithTheText() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.stepSpinner(3);
        f.calculate();
        QCOMPARE(f.rowCount("startList"), 16);
        const long smallPlan = ResidentBytesAfterPainting(f);
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        f.calculate();
        QCOMPARE(f.rowCount("startList"), 4194304);
        QCOMPARE_LT(ResidentBytesAfterPainting(f) - smallPlan, 10L << 20);
        QTest::keyClicks(f.list("startList"), "10.255.255.25");
        QCOMPARE(f.selectedRows(), (Rows{4194303, 4194303, 4194303}));
        QTest::keyClicks(f.list("subnetList"), "41943");
        QCOMPARE(f.selectedRows(), (Rows{41943, 41943, 41943}));
        QTest::keyClicks(f.list("endList"), "10.0.163.");
        QCOMPARE(f.selectedRows(), (Rows{10432, 10432, 10432}));
        // A long text that no row begins with leaves the selection where it was.
        QTest::keyClicks(f.list("subnetList"), QString(300, 'x'));
        QCOMPARE(f.selectedRows(), (Rows{10432, 10432, 10432}));
    }
};

QTEST_MAIN(CalculateTest)
#include "test_calculate.moc"
