// Every text of both windows drawn whole in the face the program chooses: each label, button and
// menu entry, the widest entry of each list, and each box whose text the program sets, which
// shows its beginning and, exactly when cut, a tooltip with the whole text.
#include "about_dialog.h"
#include "interface_font.h"
#include "window_fixture.h"

#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>

using namespace tessnivar;

namespace {

// The place of the first character a box shows at its left edge.
int FirstShown(QLineEdit* box) {
    box->repaint(); // a line edit scrolls its text when it paints
    return box->cursorPositionAt({box->contentsRect().left() + 3, box->height() / 2});
}

// Every label and button of window drawn whole within its room.
void CheckLabelsAndButtons(QWidget& window) {
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        const QRect room = label->contentsRect();
        const int flags = label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0);
        QVERIFY2(room.contains(label->fontMetrics().boundingRect(room, flags, label->text())),
                 qPrintable(label->text()));
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
        const int margins = 2 * (button->style()->pixelMetric(QStyle::PM_ButtonMargin) +
                                 button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
        QCOMPARE_LE(button->fontMetrics().horizontalAdvance(button->text()) + margins,
                    button->width());
    }
}

} // namespace

class TextFitsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        UseInterfaceFont();
        // Not a skip: the install script brings the faces.
        QCOMPARE(QFontInfo(QApplication::font()).family(), "Liberation Sans Narrow");
    }

    void aboutWindowTextsAreWhole() {
        AboutDialog about;
        about.show();
        CheckLabelsAndButtons(about);
    }

    void mainWindowTextsAreWhole() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        CheckLabelsAndButtons(*f.window);
        QMenuBar* bar = f.window->menuBar();
        for (QAction* action : bar->actions()) {
            const QRect item = bar->actionGeometry(action);
            QVERIFY(item.isValid() && item.right() < bar->width());
            QCOMPARE_LE(bar->fontMetrics().horizontalAdvance(action->text().remove('&')),
                        item.width());
        }
        // The widest entries: 64 subnets ending at 223.255.255.255, scroll bars on, then the
        // largest plan's numbers and counts.
        f.typeAddress("223", "255", "255", "0");
        f.stepSpinner(5);
        f.calculate();
        QCoreApplication::processEvents(); // the lists lay out their rows
        const QStringList widest = ("4194303\t" + f.row(63).section('\t', 1)).split('\t');
        for (int i = 0; const char* name : {"subnetList", "startList", "endList"}) {
            QAbstractItemView* list = f.list(name);
            const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
            QVERIFY(list->verticalScrollBar()->isVisible());
            QCOMPARE_LE(list->fontMetrics().horizontalAdvance(widest[i++]),
                        list->viewport()->width() - 2 * margin);
        }
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        for (QLineEdit* box : f.window->findChildren<QLineEdit*>()) {
            QCOMPARE(FirstShown(box), 0);
            box->end(false);
            QCOMPARE(box->toolTip(), FirstShown(box) > 0 ? box->text() : QString());
        }
        f.type(f.box("hostCountEdit"), "123456789012345");
        QCOMPARE(f.box("hostCountEdit")->toolTip(), "123456789012345");
    }
};

QTEST_MAIN(TextFitsTest)
#include "test_text_fits.moc"
