// Start state, address entry and the bits-borrowed spinner of the main window.
#include "window_fixture.h"

#include <QClipboard>

using namespace tessnivar;

namespace {

// The texts of the octet, mask, bits, subnets and hosts boxes.
QStringList Texts(const WindowFixture& f) {
    QStringList texts;
    for (const char* name :
         {"octetEdit0", "octetEdit1", "octetEdit2", "octetEdit3", "maskEdit", "bitsEdit", "subnetCountEdit", "hostCountEdit"})
        texts << f.box(name)->text();
    return texts;
}

} // namespace

class AddressEntryTest : public QObject {
    Q_OBJECT

private slots:
    void startStateShowsClassCNetworkWithNothingCalculated() {
        WindowFixture f;
        QCOMPARE(Texts(f), (QStringList{"192", "168", "0", "0", "255.255.255.0", "0", "1", "256"}));
        QCOMPARE(f.spinner()->minimum(), 0);
        QCOMPARE(f.spinner()->maximum(), 6);
        QCOMPARE(f.spinner()->value(), 0);
        QCOMPARE(f.rowCount("subnetList"), 0);
        QVERIFY(!f.menu("printAction")->isEnabled());
        QVERIFY(!f.menu("writeFileAction")->isEnabled());
        QCOMPARE(f.window->focusWidget(), f.list("subnetList"));
        QCOMPARE(f.services.messages.size(), std::size_t{0});
    }

    void tabMovesThroughControlsInDesignOrder() {
        WindowFixture f;
        f.window->show();
        QApplication::setActiveWindow(f.window.get());
        const QStringList expected{"startList",   "endList",    "octetEdit0",   "octetEdit1",  "octetEdit2",
                                   "octetEdit3",     "maskEdit", "bitsEdit",  "bitsSpinner", "calculateButton",
                                   "subnetCountEdit", "hostCountEdit",  "subnetList"};
        f.list("subnetList")->setFocus();
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

    // From Class A with 22 bits borrowed, so that a smaller class must bring the spinner down.
    void firstOctetDecidesClassSpinnerRangeMaskAndCounts_data() {
        QTest::addColumn<QString>("firstOctet");
        QTest::addColumn<int>("spinnerMaximum");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("hosts");
        QTest::newRow("empty is Class A") << "" << 22 << "255.0.0.0"
                                          << "16777216";
        QTest::newRow("126.9") << "126.9" << 22 << "255.0.0.0"
                               << "16777216";
        QTest::newRow("127 is Class B") << "127" << 14 << "255.255.0.0"
                                        << "65536";
        QTest::newRow("191") << "191" << 14 << "255.255.0.0"
                             << "65536";
        QTest::newRow("192") << "192" << 6 << "255.255.255.0"
                             << "256";
        QTest::newRow("text is Class A") << "abc" << 22 << "255.0.0.0"
                                         << "16777216";
    }
    void firstOctetDecidesClassSpinnerRangeMaskAndCounts() {
        QFETCH(QString, firstOctet);
        QFETCH(int, spinnerMaximum);
        QFETCH(QString, mask);
        QFETCH(QString, hosts);
        WindowFixture f;
        f.type(f.octet(0), "10");
        f.stepSpinner(21);
        f.type(f.octet(0), firstOctet);
        QCOMPARE(f.spinner()->maximum(), spinnerMaximum);
        QCOMPARE(f.spinner()->value(), 0);
        QCOMPARE(Texts(f).mid(4), (QStringList{mask, "0", "1", hosts}));
        QCOMPARE(f.services.messages.size(), std::size_t{0});
        QCOMPARE(f.services.endProgramCalls, 0);
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
        QCOMPARE(message.title + ": " + message.text,
                 "IP Error!: The IP you are entering is invalid.\r\nThe first octet must be < 224"
                 "\r\nAdjusting vlaues...");
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QCOMPARE(Texts(f).mid(0, 1) + Texts(f).mid(4),
                 (QStringList{"223", "255.255.255.0", "0", "1", "256"}));
        QCOMPARE(f.spinner()->maximum(), 6);
    }

    void spinnerSkipsOneBitBothWays() {
        WindowFixture f;
        const std::pair<int, QStringList> steps[] = {{1, {"255.255.255.192", "2", "4", "64"}},
                                                     {1, {"255.255.255.224", "3", "8", "32"}},
                                                     {-1, {"255.255.255.192", "2", "4", "64"}},
                                                     {-1, {"255.255.255.0", "0", "1", "256"}}};
        for (const auto& [step, texts] : steps) {
            f.stepSpinner(step);
            QCOMPARE(Texts(f).mid(4), texts);
        }
    }

    void onlyTheFourthBoxHandsFocusToCalculateAtThreeCharacters_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("movesFocus");
        QTest::newRow("255") << 3 << false << "255" << true;
        QTest::newRow("abc") << 3 << false << "abc" << true;
        QTest::newRow("25") << 3 << false << "25" << false;
        QTest::newRow("1234 passes 3 on the way") << 3 << false << "1234" << true;
        QTest::newRow("255 pasted") << 3 << true << "255" << true;
        QTest::newRow("1234 pasted never had 3") << 3 << true << "1234" << false;
        QTest::newRow("first box") << 0 << false << "100" << false;
        QTest::newRow("third box") << 2 << false << "100" << false;
    }
    void onlyTheFourthBoxHandsFocusToCalculateAtThreeCharacters() {
        QFETCH(int, box);
        QFETCH(bool, pasted);
        QFETCH(QString, text);
        QFETCH(bool, movesFocus);
        WindowFixture f;
        f.octet(box)->setFocus();
        if (pasted) {
            f.octet(box)->selectAll();
            QGuiApplication::clipboard()->setText(text);
            QTest::keySequence(f.octet(box), QKeySequence::Paste);
        } else {
            f.type(f.octet(box), text);
        }
        QCOMPARE(f.octet(box)->text(), text);
        QCOMPARE(f.window->focusWidget(), movesFocus ? f.control("calculateButton") : f.octet(box));
    }

    void enterOnTheSpinnerIsNoChange() {
        WindowFixture f;
        f.stepSpinner(2);
        f.calculate();
        f.type(f.box("subnetCountEdit"), "1000");
        QTest::keyClick(f.spinner(), Qt::Key_Return);
        QTest::keyClick(f.spinner(), Qt::Key_Enter);
        QVERIFY(f.menu("writeFileAction")->isEnabled());
        QCOMPARE(Texts(f).mid(5, 2), (QStringList{"3", "1000"}));
    }

    void pastedTextIsCutAtItsFirstLineBreak_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("after");
        QTest::newRow("LF") << "octetEdit3"
                            << "" << 0 << "0\n5"
                            << "0";
        QTest::newRow("into the middle") << "octetEdit1"
                                         << "18" << 1 << "6\r\n9"
                                         << "168";
        QTest::newRow("CR LF") << "hostCountEdit"
                               << "" << 0 << "1000\r\nmore"
                               << "1000";
        QTest::newRow("line separator") << "octetEdit2"
                                        << "" << 0 << "1\u20282"
                                        << "1";
        QTest::newRow("nothing before the break") << "octetEdit3"
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
        QCOMPARE(f.menu("writeFileAction")->isEnabled(), after == before || !box.startsWith("octetEdit"));
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
        const auto& message = f.services.messages.front();
        QCOMPARE(message.title + ": " + message.text,
                 "Tessnivar: There has been an error.\r\nError Code: RC-01");
        QCOMPARE(message.icon, MessageIcon::None);
        QCOMPARE(Texts(f).mid(4), (QStringList{"255.255.255.252", "7", "128", "2"}));
    }
};

QTEST_MAIN(AddressEntryTest)
#include "test_address_entry.moc"
