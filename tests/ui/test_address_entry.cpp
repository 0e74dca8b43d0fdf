// Start state, address entry and the bits-borrowed spinner of the main window.
#include "window_fixture.h"

#include <QClipboard>
#include <QLabel>

using namespace tessnivar;

class AddressEntryTest : public QObject {
    Q_OBJECT

private slots:
    void startStateShowsClassCNetworkWithNothingCalculated() {
        WindowFixture f;
        const QStringList octets{f.octet(0)->text(), f.octet(1)->text(), f.octet(2)->text(),
                                 f.octet(3)->text()};
        QCOMPARE(octets, (QStringList{"192", "168", "0", "0"}));
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.255.0");
        QCOMPARE(f.box("txtBits")->text(), "0");
        QCOMPARE(f.box("txtSubnets")->text(), "1");
        QCOMPARE(f.box("txtHosts")->text(), "256");
        QCOMPARE(f.spinner()->minimum(), 0);
        QCOMPARE(f.spinner()->maximum(), 6);
        QCOMPARE(f.spinner()->value(), 0);
        QCOMPARE(f.rowCount("lstSubnet"), 0);
        QVERIFY(!f.menu("mnuPrint")->isEnabled());
        QVERIFY(!f.menu("mnuWrite")->isEnabled());
        QCOMPARE(f.window->focusWidget(), f.list("lstSubnet"));
        QCOMPARE(f.window->plan().hostsPerSubnet, 256);
        QVERIFY(f.services.messages.empty());
    }

    void tabMovesThroughControlsInDesignOrder() {
        WindowFixture f;
        f.window->show();
        QApplication::setActiveWindow(f.window.get());
        const QStringList expected{"lstStart",   "lstEnd",    "txtIP0",   "txtIP1",  "txtIP2",
                                   "txtIP3",     "txtSubnet", "txtBits",  "UpDown1", "cmdCalculate",
                                   "txtSubnets", "txtHosts",  "lstSubnet"};
        f.list("lstSubnet")->setFocus();
        QStringList visited;
        for (int i = 0; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget* focused = QApplication::focusWidget();
            // The spinner's editor is a child of the spinner.
            if (focused && qobject_cast<QSpinBox*>(focused->parentWidget()))
                focused = focused->parentWidget();
            visited << (focused ? focused->objectName() : QString());
        }
        QCOMPARE(visited, expected);
    }

    void firstOctetDecidesClassAndSpinnerRange_data() {
        QTest::addColumn<QString>("firstOctet");
        QTest::addColumn<int>("classMaskBits");
        QTest::addColumn<int>("spinnerMaximum");
        QTest::addColumn<QString>("mask");
        QTest::newRow("empty is Class A") << "" << 8 << 22 << "255.0.0.0";
        QTest::newRow("126") << "126" << 8 << 22 << "255.0.0.0";
        QTest::newRow("127 is Class B") << "127" << 16 << 14 << "255.255.0.0";
        QTest::newRow("192") << "192" << 24 << 6 << "255.255.255.0";
        QTest::newRow("text is Class A") << "abc" << 8 << 22 << "255.0.0.0";
    }
    void firstOctetDecidesClassAndSpinnerRange() {
        QFETCH(QString, firstOctet);
        QFETCH(int, classMaskBits);
        QFETCH(int, spinnerMaximum);
        QFETCH(QString, mask);
        WindowFixture f;
        f.type(f.octet(0), firstOctet);
        QCOMPARE(f.window->plan().classMaskBits, classMaskBits);
        QCOMPARE(f.spinner()->maximum(), spinnerMaximum);
        QCOMPARE(f.box("txtSubnet")->text(), mask);
        QVERIFY(f.services.messages.empty());
    }

    void classChangeWithSpinnerAtZeroRefreshesMaskAndCounts() {
        WindowFixture f;
        QCOMPARE(f.spinner()->value(), 0);
        f.type(f.octet(0), "10");
        QCOMPARE(f.box("txtSubnet")->text(), "255.0.0.0");
        QCOMPARE(f.box("txtSubnets")->text(), "1");
        QCOMPARE(f.box("txtHosts")->text(), "16777216");
        QCOMPARE(f.window->plan().hostsPerSubnet, 16777216);
    }

    void classChangeFromHighSpinnerValueNeverExceedsPrefix30() {
        WindowFixture f;
        f.type(f.octet(0), "10");
        f.stepSpinner(21);
        QCOMPARE(f.spinner()->value(), 22);
        f.type(f.octet(0), "200");
        QCOMPARE(f.spinner()->value(), 0);
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.255.0");
        QCOMPARE(f.services.endProgramCalls, 0);
        QVERIFY(f.services.messages.empty());
    }

    void firstOctetAbove223IsRefusedAndReplacedBy223_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("224") << "224";
        QTest::newRow("223.5") << "223.5";
        QTest::newRow("300") << "300";
    }
    void firstOctetAbove223IsRefusedAndReplacedBy223() {
        QFETCH(QString, typed);
        WindowFixture f;
        f.type(f.octet(0), "10");
        f.stepSpinner(4);
        f.type(f.octet(0), typed);
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        const auto& message = f.services.messages.front();
        QCOMPARE(message.text,
                 "The IP you are entering is invalid.\r\nThe first octet must be < 224"
                 "\r\nAdjusting vlaues...");
        QCOMPARE(message.title, "IP Error!");
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QCOMPARE(f.octet(0)->text(), "223");
        QCOMPARE(f.window->plan().classMaskBits, 24);
        QCOMPARE(f.spinner()->maximum(), 6);
        QCOMPARE(f.spinner()->value(), 0);
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.255.0");
    }

    void spinnerSkipsOneBitBothWays() {
        WindowFixture f;
        f.stepSpinner(1);
        QCOMPARE(f.spinner()->value(), 2);
        QCOMPARE(f.box("txtBits")->text(), "2");
        QCOMPARE(f.window->plan().lastSpinnerValue, 2);
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.255.192");
        QCOMPARE(f.box("txtSubnets")->text(), "4");
        QCOMPARE(f.box("txtHosts")->text(), "64");
        f.stepSpinner(1);
        QCOMPARE(f.spinner()->value(), 3);
        f.stepSpinner(-1);
        QCOMPARE(f.spinner()->value(), 2);
        f.stepSpinner(-1);
        QCOMPARE(f.spinner()->value(), 0);
        QCOMPARE(f.box("txtBits")->text(), "0");
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.255.0");
    }

    void fourthBoxHandsFocusToCalculateAtThreeCharacters_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("movesFocus");
        QTest::newRow("255") << "255" << true;
        QTest::newRow("abc") << "abc" << true;
        QTest::newRow("25") << "25" << false;
        QTest::newRow("1234 passes 3 on the way") << "1234" << true;
    }
    void fourthBoxHandsFocusToCalculateAtThreeCharacters() {
        QFETCH(QString, typed);
        QFETCH(bool, movesFocus);
        WindowFixture f;
        f.octet(3)->setFocus();
        f.type(f.octet(3), typed);
        QCOMPARE(f.window->focusWidget() == f.control("cmdCalculate"), movesFocus);
    }

    void fourthBoxAlsoHandsFocusOnForTextArrivingAtOnce_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<bool>("movesFocus");
        QTest::newRow("255 pasted") << "255" << true;
        QTest::newRow("1.5 pasted") << "1.5" << true;
        QTest::newRow("1234 never had three characters") << "1234" << false;
        QTest::newRow("25 pasted") << "25" << false;
    }
    void fourthBoxAlsoHandsFocusOnForTextArrivingAtOnce() {
        QFETCH(QString, pasted);
        QFETCH(bool, movesFocus);
        WindowFixture f;
        f.octet(3)->setFocus();
        f.octet(3)->selectAll();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(f.octet(3), QKeySequence::Paste);
        QCOMPARE(f.octet(3)->text(), pasted);
        QCOMPARE(f.window->focusWidget() == f.control("cmdCalculate"), movesFocus);
    }

    void otherBoxesKeepTheFocusAtThreeCharacters() {
        WindowFixture f;
        for (int i = 0; i < 3; ++i) {
            f.octet(i)->setFocus();
            f.type(f.octet(i), "100");
            QCOMPARE(f.window->focusWidget(), f.octet(i));
        }
    }

    void enterOnTheSpinnerIsNoChange() {
        WindowFixture f;
        f.stepSpinner(2);
        f.calculate();
        f.type(f.box("txtSubnets"), "1000");
        QTest::keyClick(f.spinner(), Qt::Key_Return);
        QTest::keyClick(f.spinner(), Qt::Key_Enter);
        QVERIFY(f.menu("mnuPrint")->isEnabled());
        QVERIFY(f.menu("mnuWrite")->isEnabled());
        QCOMPARE(f.box("txtSubnets")->text(), "1000");
        QCOMPARE(f.box("txtBits")->text(), "3");
    }

    void pastedTextIsCutAtItsFirstLineBreak_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("fourth octet, LF") << "txtIP3"
                                          << "" << 0 << "0\n5"
                                          << "0";
        QTest::newRow("into the middle") << "txtIP1"
                                         << "18" << 1 << "6\r\n9"
                                         << "168";
        QTest::newRow("hosts, CR LF") << "txtHosts"
                                      << "" << 0 << "1000\r\nmore"
                                      << "1000";
        QTest::newRow("subnets, break first") << "txtSubnets"
                                              << "64" << 2 << "\n7"
                                              << "64";
        QTest::newRow("line separator") << "txtIP2"
                                        << "" << 0 << QString("1") + QChar(0x2028) + "2"
                                        << "1";
        QTest::newRow("nothing before the break") << "txtIP3"
                                                  << "0" << 1 << "\n5"
                                                  << "0";
    }
    void pastedTextIsCutAtItsFirstLineBreak() {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(int, cursor);
        QFETCH(QString, pasted);
        QFETCH(QString, after);
        WindowFixture f;
        QLineEdit* target = f.box(box.toLatin1().constData());
        target->setText(before);
        target->setCursorPosition(cursor);
        f.calculate();
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(target, QKeySequence::Paste);
        QCOMPARE(target->text(), after);
        // A paste that changes no octet is no change.
        QCOMPARE(f.menu("mnuWrite")->isEnabled(), after == before || !box.startsWith("txtIP"));
    }

    void anyEditOrStepDisablesPrintAndWrite() {
        WindowFixture f;
        f.calculate();
        QVERIFY(f.menu("mnuPrint")->isEnabled());
        f.type(f.octet(2), "0");
        QVERIFY(!f.menu("mnuPrint")->isEnabled());
        QVERIFY(!f.menu("mnuWrite")->isEnabled());
        f.calculate();
        f.stepSpinner(1);
        f.stepSpinner(-1);
        QVERIFY(!f.menu("mnuPrint")->isEnabled());
        QVERIFY(!f.menu("mnuWrite")->isEnabled());
    }

    void enteringOctetBoxSelectsWholeText() {
        WindowFixture f;
        f.window->show();
        QApplication::setActiveWindow(f.window.get());
        f.octet(1)->deselect();
        f.octet(1)->setFocus(Qt::OtherFocusReason);
        QCOMPARE(f.octet(1)->selectedText(), "168");
        QTest::keyClicks(f.octet(1), "16");
        QCOMPARE(f.octet(1)->text(), "16");
    }

    void prefixBeyond30ShowsRc01AndEndsProgram() {
        WindowFixture f;
        // Beyond what address entry allows: only a spinner maximum above the class's reaches it.
        f.spinner()->setMaximum(7);
        f.stepSpinner(6);
        QCOMPARE(f.services.endProgramCalls, 1);
        QCOMPARE(f.services.messages.size(), std::size_t{1});
        QCOMPARE(f.services.messages.front().text, "There has been an error.\r\nError Code: RC-01");
        QCOMPARE(f.services.messages.front().title, "Tessnivar");
        QCOMPARE(f.services.messages.front().icon, MessageIcon::None);
        QCOMPARE(f.box("txtSubnets")->text(), "128");
        QCOMPARE(f.box("txtHosts")->text(), "2");
        QCOMPARE(f.box("txtSubnet")->text(), "255.255.255.252");
    }
};

QTEST_MAIN(AddressEntryTest)
#include "test_address_entry.moc"
