// What a screen reader is told about the result lists through Qt's AT-SPI bridge on a real X
// display and accessibility bus, asked over D-Bus as a screen reader asks: each list one list of
// its rows, its texts and its selected row; focus reported by the list in use alone.
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

// A screen reader's connection to the accessibility bus. Each call is answered while this program
// serves events, as the bridge answers from its event loop; its events sent before an answer
// arrive before it.
class ScreenReader : public QObject {
    Q_OBJECT
public:
    QStringList focused;

    ScreenReader() {
        bus_ = QDBusConnection::connectToBus(call(QDBusConnection::sessionBus(), "org.a11y.Bus",
                                                  "/org/a11y/bus", "org.a11y.Bus", "GetAddress", {})
                                                 .toString(),
                                             "screen-reader");
        bus_.connect({}, {}, "org.a11y.atspi.Event.Focus", "Focus", this,
                     SLOT(heard(QDBusMessage)));
    }
    // Asks programs to send their focus events, and waits until this one has heard so.
    void listenForFocus() {
        call(bus_, "org.a11y.atspi.Registry", "/org/a11y/atspi/registry", "org.a11y.atspi.Registry",
             "RegisterEvent", {"focus:", QStringList(), QString()});
        ask(nullptr, "Accessible", "GetRoleName");
    }
    static QString pathOf(QAccessibleInterface* object) {
        return object
                   ? "/org/a11y/atspi/accessible/" + QString::number(QAccessible::uniqueId(object))
                   : "/org/a11y/atspi/accessible/root";
    }
    QVariant ask(QAccessibleInterface* object, const QString& interface, const QString& method) {
        return call(bus_, QDBusConnection(QStringLiteral("a11y")).baseService(), pathOf(object),
                    "org.a11y.atspi." + interface, method, {});
    }
    QVariant property(QAccessibleInterface* object, const QString& interface, const QString& name) {
        return call(bus_, QDBusConnection(QStringLiteral("a11y")).baseService(), pathOf(object),
                    "org.freedesktop.DBus.Properties", "Get", {"org.a11y.atspi." + interface, name})
            .value<QDBusVariant>()
            .variant();
    }

private slots:
    void heard(const QDBusMessage& event) { focused << event.path(); }

private:
    static QVariant call(const QDBusConnection& bus, const QString& service, const QString& path,
                         const QString& interface, const QString& method,
                         const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        QDBusPendingCallWatcher watcher(bus.asyncCall(message));
        QEventLoop loop;
        QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
        if (!watcher.isFinished())
            loop.exec();
        return watcher.reply().arguments().value(0);
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
        // Keys sent, so that they are handled before this goes on (on X, QTest's arrive later).
        const auto press = [start](Qt::Key key) {
            QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(start, &event);
        };
        press(Qt::Key_End);
        press(Qt::Key_Up);
        const QStringList names{"Subnet numbers", "Start addresses", "End addresses"};
        const QStringList selected{"4194302", "10.255.255.248", "10.255.255.251"};
        for (int i = 0; i < 3; ++i) {
            QAccessibleInterface* list = QAccessible::queryAccessibleInterface(
                f.list(QStringList{"subnetList", "startList", "endList"}[i]));
            const QVariantList seen{
                reader.property(list, "Accessible", "Name"),
                reader.ask(list, "Accessible", "GetRoleName"),
                reader.property(list, "Accessible", "ChildCount"),
                reader.property(list, "Table", "NColumns"),
                reader.property(list, "Table", "NRows"),
                reader.ask(list, "Table", "GetSelectedRows"),
                reader.property(list->child(kRows - 2), "Accessible", "Name"),
                reader.ask(list->child(kRows - 2), "Accessible", "GetRoleName")};
            QCOMPARE(seen[0].toString() + ' ' + seen[1].toString() + ' ' + seen[6].toString() +
                         ' ' + seen[7].toString(),
                     names[i] + " list " + selected[i] + " list item");
            QCOMPARE((QList<int>{seen[2].toInt(), seen[3].toInt(), seen[4].toInt()}),
                     (QList<int>{kRows, 1, kRows}));
            QCOMPARE(qdbus_cast<QList<int>>(seen[5]), QList<int>{kRows - 2});
        }
        // A Down key in one list: the bridge reports the new row of that list alone as focused.
        reader.listenForFocus();
        reader.focused.clear();
        press(Qt::Key_Down);
        QAccessibleInterface* startList = QAccessible::queryAccessibleInterface(start);
        reader.ask(startList, "Table", "GetSelectedRows");
        QCOMPARE(reader.focused, QStringList{ScreenReader::pathOf(startList->child(kRows - 1))});
    }
};

QTEST_MAIN(ListAccessibilityTest)
#include "test_list_accessibility.moc"
