// The program's own services through the real Qt components on a real display (run under Xvfb):
// message box, Save As with Qt's question before a file is replaced, print progress window, the
// About window run modally, and the end of the program; the default printer, a real CUPS queue
// (cups-pdf) whose spooled document is read back. And the main window with the largest plan: what
// a screen reader is told about the result lists once Qt's AT-SPI bridge has joined the
// accessibility bus, type-ahead, and every text of both windows drawn whole in the face the
// program chooses.
#include "about_dialog.h"
#include "default_printer.h"
#include "interface_font.h"
#include "print_progress.h"
#include "qt_services.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTemporaryDir>
#include <functional>
#include <unistd.h>

using namespace tessnivar;

namespace {

// The focus events the bridge is given, as "list row".
QStringList heardFocus;
void HearFocus(QAccessibleEvent* event) {
    if (event->type() == QAccessible::Focus)
        heardFocus << event->object()->objectName() + " " + QString::number(event->child());
}

// Acts on each widget of type W shown, from inside the event loop that shows it, as a user would
// once it is on the screen.
template <typename W> struct OnShow : QObject {
    std::function<void(W&)> act;
    explicit OnShow(std::function<void(W&)> a) : act(std::move(a)) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* widget = qobject_cast<W*>(watched); widget && event->type() == QEvent::Show)
            QMetaObject::invokeMethod(
                widget, [this, widget] { act(*widget); }, Qt::QueuedConnection);
        return false;
    }
};

QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The test queue's jobs, all or those completed, a line each, as lpstat lists them.
QString Jobs(const QString& which = "all") {
    return Run("lpstat", {"-W", which, "-o", "TessnivarTest"});
}

} // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

    QtServices services_;

private slots:
    // The largest plan in the window on the screen. Each list reads to a screen reader as one list
    // of its rows in one column, with the selected row; a key in one list is told as focus from
    // that list alone. Every text is drawn whole. Typing in the lists searches them by computing,
    // not by a look through four million rows (the test's time limit catches a window that
    // freezes). What the lists take per row is measured in bench/bench_window.cpp.
    void largestPlanOnTheScreen() {
        UseInterfaceFont();
        // Not a skip: the install script brings the faces.
        QCOMPARE(QFontInfo(QApplication::font()).family(), "Liberation Sans Narrow");
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QApplication::setActiveWindow(f.window.get());
        // Asking for the accessibility bus starts it; the program's bridge then joins it.
        QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
        while (!QAccessible::isActive())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        QAccessible::installUpdateHandler(HearFocus);
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        f.calculate();
        f.list("startList")->setFocus();
        QTest::keyClick(f.list("startList"), Qt::Key_End);
        heardFocus.clear();
        QTest::keyClick(f.list("startList"), Qt::Key_Up);
        QCOMPARE(heardFocus, QStringList{"startList 4194302"});
        const QStringList texts[] = {{"Subnet numbers", "4194302"},
                                     {"Start addresses", "10.255.255.248"},
                                     {"End addresses", "10.255.255.251"}};
        for (int i = 0; const char* name : kLists) {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.list(name));
            QAccessibleTableInterface* table = list->tableInterface();
            QCOMPARE((QStringList{list->text(QAccessible::Name),
                                  list->child(4194302)->text(QAccessible::Name)}),
                     texts[i++]);
            QCOMPARE((QList<int>{list->role(), list->child(0)->role(), list->childCount(),
                                 table->rowCount(), table->columnCount()}),
                     (QList<int>{QAccessible::List, QAccessible::ListItem, 4194304, 4194304, 1}));
            QCOMPARE(table->selectedRows(), QList<int>{4194302});
        }
        AboutDialog about;
        about.show();
        const int margins = 2 * (QApplication::style()->pixelMetric(QStyle::PM_ButtonMargin) +
                                 QApplication::style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
        for (QWidget* window : QWidgetList{&about, f.window.get()}) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                const QRect room = label->contentsRect();
                const int flags = label->alignment() | (label->wordWrap() ? Qt::TextWordWrap : 0);
                QVERIFY2(
                    room.contains(label->fontMetrics().boundingRect(room, flags, label->text())),
                    qPrintable(label->text()));
            }
            for (const QPushButton* button : window->findChildren<QPushButton*>())
                QCOMPARE_LE(button->fontMetrics().horizontalAdvance(button->text()) + margins,
                            button->width());
        }
        QMenuBar* bar = f.window->menuBar(); // an item that does not fit ends past its edge
        for (QAction* action : bar->actions())
            QVERIFY(bar->actionGeometry(action).isValid() &&
                    bar->actionGeometry(action).right() < bar->width());
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
        // From the last row a new text goes round to the first; a long text that no row begins
        // with leaves the selection where it was.
        const std::tuple<const char*, QString, int> typed[] = {
            {"startList", "10.255.255.25", 4194303},
            {"subnetList", "41943", 41943},
            {"endList", "10.0.163.", 10432},
            {"subnetList", QString(300, 'x'), 10432}};
        for (const auto& [name, text, row] : typed) {
            QTest::keyClicks(f.list(name), text);
            QCOMPARE(f.selectedRows(), QList<int>(3, row));
        }
        QTest::keySequence(f.list("startList"), QKeySequence::Copy);
        QCOMPARE(QGuiApplication::clipboard()->text(), "10432\t10.0.163.0\t10.0.163.3");
        // A box too narrow for its text shows it whole in its tooltip.
        QCOMPARE(f.box("hostCountEdit")->toolTip(), QString());
        f.type(f.box("hostCountEdit"), "123456789012345");
        QCOMPARE(f.box("hostCountEdit")->toolTip(), "123456789012345");
    }

    // A message box shows the lines, title and icon and returns the button pressed; Save As offers
    // the name, and for CSV asks about the name with ".csv" before it replaces a file (No keeps the
    // dialog open).
    void messageBoxAndSaveAs() {
        const QTemporaryDir dir;
        const QString chosen = QDir(dir.path()).filePath("plan.txt");
        QVERIFY(QFile(chosen + ".csv").open(QIODevice::WriteOnly));
        QStringList seen;
        OnShow<QMessageBox> answer([&](QMessageBox& box) {
            seen << box.windowTitle() << box.text() << QString::number(box.icon());
            box.button(seen.size() == 3 ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        OnShow<QFileDialog> choose([&](QFileDialog& dialog) {
            seen << dialog.nameFilters() << dialog.selectedFiles();
            dialog.selectFile(chosen);
            static_cast<QDialog&>(dialog).accept(); // QFileDialog::accept, as Save does
            if (dialog.isVisible())                 // kept open by the question
                dialog.reject();
        });
        QCOMPARE(services_.showMessage("first\r\nsecond", "Choose format", MessageIcon::Question,
                                       MessageButtons::YesNo),
                 MessageAnswer::Yes);
        QCOMPARE(services_.askSaveFileName("Text (*.txt);;All (*.*)", chosen + ".old"), chosen);
        QCOMPARE(services_.askSaveFileName("Comma Separated Values (*.csv)", {}), std::nullopt);
        QCOMPARE(seen.mid(0, 6), (QStringList{"Choose format", "first\nsecond",
                                              QString::number(QMessageBox::Question),
                                              "Text (*.txt)", "All (*.*)", chosen + ".old"}));
        QVERIFY2(seen.filter("already exists").value(0).startsWith("plan.txt.csv already exists."),
                 qPrintable(seen.join('|')));
    }

    void printProgressCountsPagesAndReportsCancel() {
        const auto progress = services_.showPrintProgress();
        progress->start(3);
        QVERIFY(progress->pagesDone(1));
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::topLevelWidgets().value(0));
        QVERIFY(dialog);
        QCOMPARE(dialog->labelText(), "Printed 1 of 3 pages");
        dialog->cancel();
        QVERIFY(!progress->pagesDone(2));
    }

    void aboutRunsModallyWithTheFocusOnOkAndIsGoneOnceClosed() {
        QPointer<QDialog> about;
        QString focused;
        OnShow<AboutDialog> close([&](AboutDialog& dialog) {
            about = &dialog;
            QCOMPARE(dialog.windowIcon().availableSizes().size(), 2);
            if (QApplication::activeModalWidget() == &dialog)
                focused = dialog.focusWidget()->objectName();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        ShowAbout(services_);
        QCOMPARE(focused, "okButton");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
        QCOMPARE(PlannerWindow(services_).windowIcon().availableSizes().size(), 2);
    }

    // Printed from the window to a cups-pdf queue made the default printer, the report arrives as
    // one page of its words; an abandoned document never reaches the print system. The machine's
    // scheduler prints, started for the test when it is not running.
    void printThroughCups() {
        if (geteuid() != 0)
            QSKIP("not root: the scheduler cannot be started nor a queue added");
        const bool started = !Run("lpstat", {"-r"}).contains("scheduler is running");
        QVERIFY(!started || QProcess::execute("cupsd", {}) == 0);
        const auto restore = qScopeGuard([started] {
            QProcess::execute("lpadmin", {"-x", "TessnivarTest"});
            if (started)
                QProcess::execute("pkill", {"-x", "cupsd"});
        });
        QTRY_VERIFY(Run("lpstat", {"-r"}).contains("scheduler is running"));
        if (Run("lpstat", {"-d"}).startsWith("system default destination:"))
            QSKIP("this machine has a default printer of its own; the test would print on it");
        const auto driver =
            QRegularExpression(R"(^(\S+) .*CUPS-PDF)", QRegularExpression::MultilineOption)
                .match(Run("lpinfo", {"-m"}));
        QVERIFY2(driver.hasMatch(), "no CUPS-PDF driver: the install script brings it");
        QCOMPARE(QProcess::execute("lpadmin", {"-p", "TessnivarTest", "-E", "-v", "cups-pdf:/",
                                               "-m", driver.captured(1)}) +
                     QProcess::execute("lpadmin", {"-d", "TessnivarTest"}),
                 0);
        WindowFixture f;
        f.services.printer = std::bind(&QtServices::openDefaultPrinter, &services_);
        f.typeAddress("172", "16", "0", "0"); // 16 subnets: one page
        f.stepSpinner(3);
        f.calculate();
        const QTemporaryDir dir;
        QFile text(dir.filePath("report.txt"));
        f.writeFile(MessageAnswer::No, text.fileName());
        QVERIFY(text.open(QIODevice::ReadOnly));
        f.menu("printAction")->trigger();
        QCOMPARE(f.services.messages.size(), 1); // the format question alone
        QCOMPARE(Jobs().count('\n'), 1);         // of the queue just added: this one alone
        QTRY_COMPARE_WITH_TIMEOUT(Jobs("completed").count('\n'), 1, 30000);
        const int job = Jobs().section('-', 1).section(' ', 0, 0).toInt();
        const QString spooled = QString("/var/spool/cups/d%1-001").arg(job, 5, 10, QChar('0'));
        QVERIFY(Run("pdfinfo", {spooled}).contains(QRegularExpression(R"(Pages:\s+1\n)")));
        // The words in order: how a PDF's text and the report's compare.
        QCOMPARE(Run("pdftotext", {"-layout", spooled, "-"}).simplified(),
                 QString::fromUtf8(text.readAll()).simplified());
        const auto printer = OpenDefaultPrinter();
        QVERIFY(printer->printLine("a line of a document that is cancelled"));
        printer->abandon();
        QCOMPARE(Jobs().count('\n'), 1);
    }

    // Last: it ends the event loop of the test program itself.
    void endProgramHidesEveryWindowAndLeavesTheEventLoop() {
        QWidget window;
        window.show();
        QMetaObject::invokeMethod(
            qApp, [this] { services_.endProgram(); }, Qt::QueuedConnection);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(QtServicesTest)
#include "test_qt_services.moc"
