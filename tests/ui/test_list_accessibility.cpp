// What a screen reader is told about the result lists, through Qt's AT-SPI bridge on a real X
// display and accessibility bus: each list one list of its rows (one column, as many children as
// rows), its texts and its selected row, as a screen reader asks the bridge for them over D-Bus;
// and focus reported by the list in use alone.
#include "window_fixture.h"

#include <QAccessible>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEventLoop>

using namespace tessnivar;

namespace {

constexpr int kRows = 4194304;

// A key pressed in list, handled before this returns (on X, QTest's keys arrive later).
void Press(QWidget* list, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(list, &press);
}

// Waits, serving events, until the bridge has joined the accessibility bus.
struct BridgeActive : QAccessible::ActivationObserver {
    QEventLoop loop;
    BridgeActive() {
        QAccessible::installActivationObserver(this);
        if (!QAccessible::isActive())
            loop.exec();
        QAccessible::removeActivationObserver(this);
    }
    void accessibilityActiveChanged(bool active) override {
        if (active)
            loop.quit();
    }
};

// A screen reader's connection to the accessibility bus, asking the program's bridge about one
// object as it would and hearing which objects it says took the focus. Each call is answered
// while this program serves events, as the bridge answers from its event loop; the bridge's
// events sent before an answer arrive before it.
class ScreenReader : public QObject {
    Q_OBJECT
public:
    QStringList focused;

    ScreenReader() {
        const QDBusMessage address =
            QDBusConnection::sessionBus().call(QDBusMessage::createMethodCall(
                "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress"));
        bus_ =
            QDBusConnection::connectToBus(address.arguments().value(0).toString(), "screen-reader");
        bus_.connect({}, {}, "org.a11y.atspi.Event.Focus", "Focus", this,
                     SLOT(heardFocus(QDBusMessage)));
    }
    // Asks the registry to have programs send their focus events, and waits until the program
    // has heard so.
    void listenForFocus() {
        call("org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
             "RegisterEvent", {"focus:", QStringList(), QString()});
        ask("/org/a11y/atspi/accessible/root", "org.a11y.atspi.Accessible", "GetRoleName");
    }

    static QString pathOf(QAccessibleInterface* object) {
        return "/org/a11y/atspi/accessible/" + QString::number(QAccessible::uniqueId(object));
    }
    QVariant property(const QString& path, const QString& interface, const QString& name) {
        return ask(path, "org.freedesktop.DBus.Properties", "Get", {interface, name})
            .value<QDBusVariant>()
            .variant();
    }
    QVariant ask(const QString& path, const QString& interface, const QString& method,
                 const QVariantList& arguments = {}) {
        // The program's own connection to the bus is the bridge's.
        return call(QDBusConnection(QStringLiteral("a11y")).baseService(), path, interface, method,
                    arguments);
    }

private slots:
    void heardFocus(const QDBusMessage& event) { focused << event.path(); }

private:
    QVariant call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        QDBusPendingCallWatcher watcher(bus_.asyncCall(message));
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        if (!watcher.isFinished())
            loop.exec();
        const QDBusMessage reply = watcher.reply();
        if (reply.type() != QDBusMessage::ReplyMessage)
            qWarning() << method << reply.errorMessage();
        return reply.arguments().value(0);
    }

    QDBusConnection bus_{QString()};
};

} // namespace

class ListAccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void eachListReadsAsOneListOfItsRowsAndOnlyTheListInUseReportsFocus() {
        WindowFixture f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        QApplication::setActiveWindow(f.window.get());
        // The screen reader starts the accessibility bus; the program's bridge then joins it.
        ScreenReader reader;
        BridgeActive{};
        f.typeAddress("10", "0", "0", "0");
        f.stepSpinner(21);
        f.calculate();
        QAbstractItemView* start = f.list("startList");
        start->setFocus();
        Press(start, Qt::Key_End);
        Press(start, Qt::Key_Up);

        const std::pair<const char*, QString> lists[] = {{"subnetList", "Subnet numbers"},
                                                         {"startList", "Start addresses"},
                                                         {"endList", "End addresses"}};
        const QStringList selectedTexts{"4194302", "10.255.255.248", "10.255.255.251"};
        for (int i = 0; i < 3; ++i) {
            const auto& [name, accessibleName] = lists[i];
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(f.list(name));
            const QString path = ScreenReader::pathOf(list);
            const QString accessible = "org.a11y.atspi.Accessible";
            const QString table = "org.a11y.atspi.Table";
            QCOMPARE(reader.property(path, accessible, "Name").toString(), accessibleName);
            QCOMPARE(reader.ask(path, accessible, "GetRoleName").toString(), "list");
            QCOMPARE(reader.property(path, accessible, "ChildCount").toInt(), kRows);
            QCOMPARE(reader.property(path, table, "NColumns").toInt(), 1);
            QCOMPARE(reader.property(path, table, "NRows").toInt(), kRows);
            QCOMPARE(qdbus_cast<QList<int>>(reader.ask(path, table, "GetSelectedRows")),
                     QList<int>{kRows - 2});
            const QString selected = ScreenReader::pathOf(list->child(kRows - 2));
            QCOMPARE(reader.property(selected, accessible, "Name").toString(), selectedTexts[i]);
            QCOMPARE(reader.ask(selected, accessible, "GetRoleName").toString(), "list item");
        }

        // A Down key in one list: the bridge reports the new row of that list alone as focused.
        reader.listenForFocus();
        reader.focused.clear();
        Press(start, Qt::Key_Down);
        QAccessibleInterface* startList = QAccessible::queryAccessibleInterface(start);
        QCOMPARE(qdbus_cast<QList<int>>(reader.ask(ScreenReader::pathOf(startList),
                                                   "org.a11y.atspi.Table", "GetSelectedRows")),
                 QList<int>{kRows - 1});
        QCOMPARE(reader.focused, QStringList{ScreenReader::pathOf(startList->child(kRows - 1))});
    }
};

QTEST_MAIN(ListAccessibilityTest)
#include "test_list_accessibility.moc"
