// The program's own services through the real Qt components on a real display (run under Xvfb):
// message box, Save As with Qt's question before a file is replaced, print progress window, the
// About window run modally, and the end of the program. And what a screen reader is told about
// the result lists through Qt's AT-SPI bridge and accessibility bus, asked over D-Bus as a screen
// reader asks: each list one list of its rows, its texts and its selected row; focus reported by
// the list in use alone.
#include "about_dialog.h"
#include "print_progress.h"
#include "qt_services.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <functional>

using namespace tessnivar;

namespace {

constexpr int kRows = 4194304;

QString PathOf(QAccessibleInterface* object) {
    return "/org/a11y/atspi/accessible/" +
           (object ? QString::number(QAccessible::uniqueId(object)) : "root");
}

// Answered while this program serves events, as its bridge answers from its event loop; the
// bridge's events sent before an answer arrive before it.
QVariant Call(const QDBusConnection& bus, const QString& service, const QString& path,
              const QString& interface, const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::BlockWithGui).arguments().value(0);
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

} // namespace

// The test acts as the screen reader too, with its own connection to the accessibility bus.
class QtServicesTest : public QObject {
    Q_OBJECT

    QtServices services_;
    QDBusConnection bus_{QString()};
    QStringList focused_;

    QVariant ask(QAccessibleInterface* object, const QString& interface, const QString& method,
                 const QVariantList& arguments = {}) {
        return Call(bus_, QDBusConnection(QStringLiteral("a11y")).baseService(), PathOf(object),
                    interface, method, arguments);
    }
    // A property's value as text.
    QString get(QAccessibleInterface* object, const QString& interface, const QString& name) {
        const QVariant value = ask(object, "org.freedesktop.DBus.Properties", "Get",
                                   {"org.a11y.atspi." + interface, name});
        return value.value<QDBusVariant>().variant().toString();
    }

public slots:
    void heard(const QDBusMessage& event) { focused_ << event.path(); }

private slots:
    void eachListReadsAsOneListOfItsRowsAndOnlyTheListInUseReportsFocus() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QApplication::setActiveWindow(f.window.get());
        // Asking for the bus starts it; the program's bridge then joins it.
        const QVariant address = Call(QDBusConnection::sessionBus(), "org.a11y.Bus",
                                      "/org/a11y/bus", "org.a11y.Bus", "GetAddress", {});
        bus_ = QDBusConnection::connectToBus(address.toString(), "screen-reader");
        while (!QAccessible::isActive())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        f.calculate();
        QAbstractItemView* start = f.list("startList");
        start->setFocus();
        // Keys sent, so that they are handled before this goes on (on X, QTest's arrive later).
        const auto press = [start](Qt::Key key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(start, &event);
        };
        press(Qt::Key_End);
        press(Qt::Key_Up);
        const QStringList texts[] = {{"Subnet numbers", "4194302"},
                                     {"Start addresses", "10.255.255.248"},
                                     {"End addresses", "10.255.255.251"}};
        for (int i = 0; const char* name : kLists) {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.list(name));
            QAccessibleInterface* row = list->child(kRows - 2);
            const QStringList seen{get(list, "Accessible", "Name"),
                                   get(row, "Accessible", "Name"),
                                   ask(list, "org.a11y.atspi.Accessible", "GetRoleName").toString(),
                                   ask(row, "org.a11y.atspi.Accessible", "GetRoleName").toString(),
                                   get(list, "Accessible", "ChildCount"),
                                   get(list, "Table", "NRows"),
                                   get(list, "Table", "NColumns")};
            QCOMPARE(seen,
                     (texts[i++] + QStringList{"list", "list item", "4194304", "4194304", "1"}));
            QCOMPARE(qdbus_cast<QList<int>>(ask(list, "org.a11y.atspi.Table", "GetSelectedRows")),
                     QList<int>{kRows - 2});
        }
        // A Down key in one list: the bridge reports the new row of that list alone as focused.
        bus_.connect({}, {}, "org.a11y.atspi.Event.Focus", "Focus", this,
                     SLOT(heard(QDBusMessage)));
        Call(bus_, "org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
             "RegisterEvent", {"focus:", QStringList(), QString()});
        // Once the bridge has answered, it has heard of the registration.
        ask(nullptr, "org.a11y.atspi.Accessible", "GetRoleName");
        focused_.clear();
        press(Qt::Key_Down);
        QAccessibleInterface* startList = QAccessible::queryAccessibleInterface(start);
        ask(startList, "org.a11y.atspi.Table", "GetSelectedRows");
        QCOMPARE(focused_, QStringList{PathOf(startList->child(kRows - 1))});
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
