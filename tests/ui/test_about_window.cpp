#include "about_window.h"
#include "scripted_services.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void showsItsTextsAndLayoutOnCyanWithFocusOnOk();
    void okAndEscCloseAndDestroyTheModalWindow_data();
    void okAndEscCloseAndDestroyTheModalWindow();
    void eachAboutCommandShowsAFreshWindow();
};

void TestAboutWindow::showsItsTextsAndLayoutOnCyanWithFocusOnOk() {
    tessnivar::frmAbout about;
    about.show();
    QCOMPARE(about.windowTitle(), QStringLiteral("About Tessnivar"));
    QCOMPARE(about.size(), QSize(312, 213));
    QCOMPARE(about.palette().color(QPalette::Window), QColor(0, 255, 255));
    QStringList texts;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        texts << label->text();
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
    QCOMPARE(texts, (QStringList{"", "Tessnivar", "V 1.0",
                                 "Created by Brolwick.  For the latest version check the web at",
                                 "www.example.com/tessnivar"}));
    const auto* label4 = about.findChild<QLabel*>("Label4");
    auto* ok = about.findChild<QPushButton*>("cmdOK");
    QVERIFY(label4);
    QVERIFY(ok);
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(label4->geometry(), QRect(0, 136, 313, 25));
    QCOMPARE(ok->geometry(), QRect(112, 168, 81, 33));
    QCOMPARE(label4->font().pointSizeF(), 12.0);
    QCOMPARE(label4->font().bold(), true);
    QCOMPARE(label4->font().italic(), true);
    QCOMPARE(ok->font().pointSizeF(), 9.75);
    QCOMPARE(ok->font().bold(), true);
    QCOMPARE(ok->font().italic(), false);
    QCOMPARE(about.focusWidget(), ok);
}

void TestAboutWindow::okAndEscCloseAndDestroyTheModalWindow_data() {
    QTest::addColumn<bool>("byEsc");
    QTest::newRow("OK clicked") << false;
    QTest::newRow("Esc") << true;
}

void TestAboutWindow::okAndEscCloseAndDestroyTheModalWindow() {
    QFETCH(bool, byEsc);
    tessnivar::ScriptedServices services;
    QPointer<QDialog> shown;
    QWidget* modal = nullptr;
    bool closedAtOnce = false;
    services.whileModal = [&](QDialog& dialog) {
        shown = &dialog;
        modal = QApplication::activeModalWidget();
        if (byEsc)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog.findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
        closedAtOnce = !dialog.isVisible();
    };
    tessnivar::ShowAbout(services);
    QCOMPARE(modal, shown.data());
    QVERIFY(closedAtOnce);
    // A closed About window deletes itself later; this lets that happen without an event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(shown.isNull());
}

void TestAboutWindow::eachAboutCommandShowsAFreshWindow() {
    tessnivar::ScriptedServices services;
    QList<QPointer<QDialog>> shown;
    services.whileModal = [&](QDialog& dialog) {
        shown << &dialog;
    };
    tessnivar::ShowAbout(services);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    tessnivar::ShowAbout(services);
    QCOMPARE(shown.size(), 2);
    QVERIFY(shown[0].isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
