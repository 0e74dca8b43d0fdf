// Calculate and the three linked result lists of the main window.
#include "window_fixture.h"

using namespace tessnivar;

class CalculateTest : public QObject {
    Q_OBJECT

    static void checkRow(const WindowFixture& f, int row, const QString& number,
                         const QString& start, const QString& end) {
        QCOMPARE(f.rowText("lstSubnet", row), number);
        QCOMPARE(f.rowText("lstStart", row), start);
        QCOMPARE(f.rowText("lstEnd", row), end);
    }

private slots:
    void typicalUseListsSixteenClassBSubnets() {
        WindowFixture f;
        f.typeAddress("172", "16", "0", "0");
        f.stepSpinner(3);
        QCOMPARE(f.box("txtBits")->text(), "4");
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.240.0");
        QCOMPARE(f.box("txtSubnets")->text(), "16");
        QCOMPARE(f.box("txtHosts")->text(), "4096");
        QVERIFY(!f.menu("mnuPrint")->isEnabled());
        f.calculate();
        QVERIFY(f.services.messages.empty());
        QCOMPARE(f.rowCount("lstSubnet"), 16);
        QCOMPARE(f.rowCount("lstEnd"), 16);
        checkRow(f, 0, "0", "172.16.0.0", "172.16.15.255");
        checkRow(f, 1, "1", "172.16.16.0", "172.16.31.255");
        checkRow(f, 15, "15", "172.16.240.0", "172.16.255.255");
        QVERIFY(f.menu("mnuPrint")->isEnabled());
        QVERIFY(f.menu("mnuWrite")->isEnabled());
        QCOMPARE(f.selectedRow("lstSubnet"), -1);
        // Again, by keyboard: the lists are replaced, not doubled.
        QTest::keyClick(f.control("cmdCalculate"), Qt::Key_Space);
        QCOMPARE(f.rowCount("lstStart"), 16);
    }

    void addressBreakingClassRuleIsRefusedAndNothingChanges_data() {
        QTest::addColumn<QStringList>("address");
        QTest::addColumn<QString>("text");
        QTest::newRow("Class C") << QStringList{"192", "168", "0", "5"}
                                 << "Sorry: This address cannot be subnetted.\r\nThe address "
                                    "192.168.0.5 does not represent a network address.\r\nHINT: To "
                                    "be a network address, the last octet MUST be zero.";
        QTest::newRow("Class A, empty box")
            << QStringList{"10", "", "1", "0"}
            << "Sorry: This address cannot be subnetted.\r\nThe address 10..1.0 does not represent "
               "a network address.\r\nHINT: To be a network address, the last three octets MUST be "
               "zero\r\nsince this is a Class A address.";
    }
    void addressBreakingClassRuleIsRefusedAndNothingChanges() {
        QFETCH(QStringList, address);
        QFETCH(QString, text);
        WindowFixture f;
        f.stepSpinner(1);
        f.calculate();
        f.typeAddress(address[0], address[1], address[2], address[3]);
        f.calculate();
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        QCOMPARE(f.services.messages.front().text, text);
        QCOMPARE(f.services.messages.front().title, "Subnet Error!");
        QCOMPARE(f.services.messages.front().icon, MessageIcon::Critical);
        QCOMPARE(f.rowCount("lstSubnet"), 4);
        checkRow(f, 1, "1", "192.168.0.64", "192.168.0.127");
        QVERIFY(!f.menu("mnuPrint")->isEnabled());
        QVERIFY(!f.menu("mnuWrite")->isEnabled());
    }

    void octetBeyond32BitsIsRefusedNamingTheOctet() {
        WindowFixture f;
        f.calculate();
        f.type(f.octet(1), "99999999999");
        f.calculate();
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        QCOMPARE(f.services.messages.front().text,
                 "Sorry: This address cannot be subnetted.\r\nThe octet 99999999999 is out of "
                 "range.");
        QCOMPARE(f.services.messages.front().title, "Subnet Error!");
        QCOMPARE(f.rowCount("lstSubnet"), 1);
        QVERIFY(!f.menu("mnuPrint")->isEnabled());
    }

    void selectingRowInAnyListSelectsItInAllThree() {
        WindowFixture f;
        f.stepSpinner(5);
        f.calculate();
        QAbstractItemView* end = f.list("lstEnd");
        const QRect row5 = end->visualRect(end->model()->index(5, 2));
        QTest::mouseClick(end->viewport(), Qt::LeftButton, {}, row5.center());
        QCOMPARE(f.selectedRow("lstSubnet"), 5);
        QCOMPARE(f.selectedRow("lstStart"), 5);
        QCOMPARE(f.selectedRow("lstEnd"), 5);
        QTest::keyClick(end, Qt::Key_Down);
        QCOMPARE(f.selectedRow("lstSubnet"), 6);
        QCOMPARE(f.selectedRow("lstStart"), 6);
        QTest::keyClick(f.list("lstSubnet"), Qt::Key_Up);
        QCOMPARE(f.selectedRow("lstEnd"), 5);
        // Clicking the selected row again changes nothing.
        QTest::mouseClick(end->viewport(), Qt::LeftButton, {}, row5.center());
        QCOMPARE(f.selectedRow("lstStart"), 5);
    }

    void listKeysMoveAllThreeListsTogether() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.stepSpinner(5); // 64 subnets of 192.168.0.0
        f.calculate();
        QCoreApplication::processEvents(); // the lists lay out their rows
        QAbstractItemView* start = f.list("lstStart");
        const auto expectRow = [&f](int row) {
            QCOMPARE(f.selectedRow("lstSubnet"), row);
            QCOMPARE(f.selectedRow("lstStart"), row);
            QCOMPARE(f.selectedRow("lstEnd"), row);
        };
        QTest::keyClick(start, Qt::Key_End);
        expectRow(63);
        QVERIFY(start->visualRect(start->currentIndex()).intersects(start->viewport()->rect()));
        QTest::keyClick(start, Qt::Key_Home);
        expectRow(0);
        QTest::keyClick(start, Qt::Key_PageDown);
        const int page = f.selectedRow("lstStart");
        QCOMPARE_GT(page, 5);
        expectRow(page);
        QTest::keyClick(start, Qt::Key_Down);
        expectRow(page + 1);
        QTest::keyClick(start, Qt::Key_Right);
        expectRow(page + 1);
        // Tab leaves the list for the next one.
        QApplication::setActiveWindow(f.window.get());
        start->setFocus();
        QTest::keyClick(start, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.list("lstEnd"));
    }

    void typingSelectsTheNextRowBeginningWithTheText() {
        WindowFixture f;
        f.stepSpinner(5); // 64 subnets of 192.168.0.0
        f.calculate();
        QTest::keyClicks(f.list("lstSubnet"), "42");
        QCOMPARE(f.selectedRow("lstEnd"), 42);
        QTest::keyClicks(f.list("lstStart"), "192.168.0.12");
        QCOMPARE(f.selectedRow("lstSubnet"), 3);
        QTest::keyClicks(f.list("lstEnd"), "192.168.0.25");
        QCOMPARE(f.selectedRow("lstStart"), 62);
        // Nothing begins with this: the selection stays.
        QTest::keyClicks(f.list("lstSubnet"), "x");
        QCOMPARE(f.selectedRow("lstSubnet"), 62);
    }

    // Each key's search is computed, not a look through four million rows: the test ends at once
    // (its CTest time limit catches a window that freezes).
    void typingInTheLargestPlanFindsRowsAtOnce() {
        WindowFixture f;
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        f.calculate();
        QCOMPARE(f.rowCount("lstStart"), 4194304);
        QTest::keyClicks(f.list("lstStart"), "10.255.255.25");
        QCOMPARE(f.selectedRow("lstSubnet"), 4194303);
        QCOMPARE(f.selectedRow("lstEnd"), 4194303);
        QTest::keyClicks(f.list("lstSubnet"), "41943");
        QCOMPARE(f.selectedRow("lstStart"), 41943);
        // A long text that no row begins with leaves the selection where it was.
        QTest::keyClicks(f.list("lstEnd"), QString(300, '9'));
        QCOMPARE(f.selectedRow("lstEnd"), 41943);
    }

    void clearedSelectionIsCarriedToTheOtherLists() {
        WindowFixture f;
        f.stepSpinner(5);
        f.calculate();
        QAbstractItemView* start = f.list("lstStart");
        const QRect row5 = start->visualRect(start->model()->index(5, 1));
        QTest::mouseClick(start->viewport(), Qt::LeftButton, {}, row5.center());
        QCOMPARE(f.selectedRow("lstEnd"), 5);
        // Ctrl+click on the selected row takes the selection away, as in a list box.
        QTest::mouseClick(start->viewport(), Qt::LeftButton, Qt::ControlModifier, row5.center());
        QCOMPARE(f.selectedRow("lstStart"), -1);
        QCOMPARE(f.selectedRow("lstSubnet"), -1);
        QCOMPARE(f.selectedRow("lstEnd"), -1);
    }

    void selectionBeyondRow32767IsLinked() {
        WindowFixture f;
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(15);
        QCOMPARE(f.box("txtSubnets")->text(), "65536");
        f.calculate();
        QCOMPARE(f.rowCount("lstStart"), 65536);
        QAbstractItemView* start = f.list("lstStart");
        start->setCurrentIndex(start->model()->index(40000, 1));
        QCOMPARE(f.selectedRow("lstSubnet"), 40000);
        QCOMPARE(f.selectedRow("lstEnd"), 40000);
        checkRow(f, 40000, "40000", "10.156.64.0", "10.156.64.255");
        checkRow(f, 65535, "65535", "10.255.255.0", "10.255.255.255");
    }
};

QTEST_MAIN(CalculateTest)
#include "test_calculate.moc"
