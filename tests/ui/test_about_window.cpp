// The About window: its texts on cyan, the focus on OK, and closing by OK or Esc, which destroys
// it so that the next About command shows a fresh one.
#include "about_dialog.h"
#include "scripted_services.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace tessnivar;

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void showsItsTextsOnCyanWithFocusOnOk() {
        AboutDialog about;
        about.show();
        QCOMPARE(about.windowTitle(), "About Tessnivar");
        QCOMPARE(about.size(), QSize(312, 213));
        QCOMPARE(about.palette().color(QPalette::Window), QColor(0, 255, 255));
        QStringList texts;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            texts << label->text();
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
        QCOMPARE(texts,
                 (QStringList{"", "Tessnivar", "V 1.0",
                              "Created by Brolwick.  For the latest version check the web at",
                              "www.example.com/tessnivar"}));
        QCOMPARE(about.focusWidget(), about.findChild<QPushButton*>("okButton"));
    }

    void okAndEscCloseAndDestroyTheModalWindow_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("OK clicked") << false;
        QTest::newRow("Esc") << true;
    }
    void okAndEscCloseAndDestroyTheModalWindow() {
        QFETCH(bool, byEsc);
        ScriptedServices services;
        QList<QPointer<QDialog>> shown;
        QWidget* modal = nullptr;
        bool closedAtOnce = false;
        services.whileModal = [&](QDialog& dialog) {
            shown << &dialog;
            modal = QApplication::activeModalWidget();
            if (byEsc)
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
            closedAtOnce = !dialog.isVisible();
        };
        ShowAbout(services);
        QCOMPARE(modal, shown.front().data());
        QVERIFY(closedAtOnce);
        // A closed About window deletes itself later; this lets that happen without an event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown.front().isNull());
        ShowAbout(services);
        QCOMPARE(shown.size(), 2);
        QVERIFY(shown.back() != nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
