// Every text of both windows drawn whole in the face the program chooses: labels, captions, the
// widest list entries, boxes set by the program; and a row copied from the lists.
#include "about_dialog.h"
#include "interface_font.h"
#include "text_box.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>

using namespace tessnivar;

namespace {

// Pixels a text takes in a widget's own (resolved) font.
int Advance(const QWidget* widget, const QString& text) {
    return widget->fontMetrics().horizontalAdvance(text);
}

// Room for an entry's text in a list: its viewport less the margins the item delegate keeps.
int EntryRoom(const QAbstractItemView* list) {
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    return list->viewport()->width() - 2 * margin;
}

// Whether the box scrolls its text sideways once the cursor is at the end, that is, whether the
// text is wider than the box shows.
bool ScrollsAtEnd(QLineEdit* box) {
    const int before = box->cursorPosition();
    box->end(false);
    box->repaint(); // a line edit scrolls its text when it paints
    const QPoint leftEdge(box->contentsRect().left() + 3, box->height() / 2);
    const bool scrolls = box->cursorPositionAt(leftEdge) > 0;
    box->setCursorPosition(before);
    box->repaint();
    return scrolls;
}

} // namespace

class TextFitsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseInterfaceFont(); }

    void programUsesItsChosenFacesWhereverTheyAreNamed() {
        // Not a skip: the install script brings these fonts.
        QCOMPARE(QFontInfo(QApplication::font()).family(), "Liberation Sans Narrow");
        AboutDialog about;
        QCOMPARE(QFontInfo(about.findChild<QLabel*>("titleLabel")->font()).family(), "Comic Neue");
        QCOMPARE(QFontInfo(about.findChild<QPushButton*>("okButton")->font()).family(), "Comic Neue");
        QCOMPARE(QFontInfo(about.findChild<QLabel*>("webAddressLabel")->font()).family(),
                 "Liberation Sans Narrow");
    }

    void mainWindowLabelsButtonAndMenuCaptionsAreWhole() {
        WindowFixture f;
        f.window->show();
        const auto labels = f.window->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 8);
        for (const QLabel* label : labels) {
            QVERIFY2(Advance(label, label->text()) <= label->contentsRect().width(),
                     qPrintable(label->text()));
            QVERIFY2(label->fontMetrics().height() <= label->contentsRect().height(),
                     qPrintable(label->text()));
        }
        const auto* calculate = f.control<QPushButton>("calculateButton");
        const int buttonMargins = 2 * calculate->style()->pixelMetric(QStyle::PM_ButtonMargin) +
                                  2 * calculate->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        QCOMPARE_LE(Advance(calculate, "Calculate") + buttonMargins, calculate->width());

        QMenuBar* bar = f.window->menuBar();
        for (QAction* action : bar->actions()) {
            const QRect item = bar->actionGeometry(action);
            QVERIFY2(item.isValid() && item.right() < bar->width(), qPrintable(action->text()));
            QCOMPARE_LE(Advance(bar, QString(action->text()).remove('&')), item.width());
        }
    }

    void aboutWindowTextsAreWhole() {

        AboutDialog about;
        about.show();
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue; // the picture
            const QRect room = label->contentsRect();
            const QRect drawn = label->fontMetrics().boundingRect(
                room, Qt::AlignHCenter | (label->wordWrap() ? Qt::TextWordWrap : 0), label->text());
            QVERIFY2(room.contains(drawn), qPrintable(label->text()));
        }
        const auto* ok = about.findChild<QPushButton*>("okButton");
        QCOMPARE_LE(Advance(ok, "OK"), ok->contentsRect().width());
        QCOMPARE_LE(ok->fontMetrics().height(), ok->contentsRect().height());
    }

    void widestEntriesFitTheListsWithTheirScrollBars() {
        WindowFixture f;
        f.window->show();
        // 64 subnets ending in 223.255.255.255: more than a list shows, so the scroll bars are on.
        f.typeAddress("223", "255", "255", "0");
        f.stepSpinner(5);
        f.calculate();
        QCOMPARE(f.rowText("endList", 63), "223.255.255.255");
        QCoreApplication::processEvents(); // the lists lay out their rows
        const std::pair<const char*, QString> widest[] = {{"subnetList", "4194303"},
                                                          {"startList", "223.255.255.252"},
                                                          {"endList", "223.255.255.255"}};
        for (const auto& [name, text] : widest) {
            QAbstractItemView* list = f.list(name);
            QVERIFY2(list->verticalScrollBar()->isVisible(), name);
            QVERIFY2(Advance(list, text) <= EntryRoom(list), name);
        }
    }

    void textSetByCodeShowsItsBeginningWithTooltipExactlyWhenCut() {
        TextBox box;
        box.resize(41, 19); // the Subnets box
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        for (const QString& text : {QString("4194304"), QString("123456789012345"), QString("1")}) {
            box.setTextByCode(text);
            box.repaint();
            const QPoint leftEdge(box.contentsRect().left() + 3, box.height() / 2);
            QCOMPARE(box.cursorPositionAt(leftEdge), 0);
            QCOMPARE(box.toolTip(), ScrollsAtEnd(&box) ? text : QString());
        }
    }

    void windowBoxesShowTheirCountsFromTheBeginning() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        for (const char* name : {"subnetCountEdit", "hostCountEdit", "maskEdit", "bitsEdit"}) {
            QLineEdit* box = f.box(name);
            box->repaint();
            const QPoint leftEdge(box->contentsRect().left() + 3, box->height() / 2);
            QCOMPARE(box->cursorPositionAt(leftEdge), 0);
            QCOMPARE(box->toolTip(), ScrollsAtEnd(box) ? box->text() : QString());
        }
        QCOMPARE(f.box("subnetCountEdit")->text(), "4194304");
        f.type(f.octet(0), "300");
        QCOMPARE(f.octet(0)->text(), "223");
        QVERIFY(!ScrollsAtEnd(f.octet(0)));
    }

    void copyPutsTheSelectedRowOnTheClipboardAsTabSeparatedFields() {
        WindowFixture f;
        f.window->show();
        f.typeAddress("172", "16", "0", "0");
        f.stepSpinner(3);
        f.calculate();
        QGuiApplication::clipboard()->setText("kept");
        QTest::keySequence(f.list("startList"), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), "kept");
        f.list("endList")->setCurrentIndex(f.list("endList")->model()->index(5, 2));
        for (const char* name : {"subnetList", "startList", "endList"}) {
            QGuiApplication::clipboard()->clear();
            QTest::keySequence(f.list(name), QKeySequence::Copy);
            QCOMPARE(QGuiApplication::clipboard()->text(), "5\t172.16.80.0\t172.16.95.255");
        }
    }
};

QTEST_MAIN(TextFitsTest)
#include "test_text_fits.moc"
