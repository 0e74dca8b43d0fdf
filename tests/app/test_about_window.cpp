#include "about_window.h"
#include "program_icon.h"
#include "report_printer.h"
#include "services.h"

#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <functional>

using tessnivar::frmAbout;

namespace {

// Stands in for the program's services: runModal shows the dialog as a modal run does and hands
// it to the test while it is open, in place of a nested event loop.
class ScriptedServices final : public tessnivar::Services {
public:
    std::function<void(QDialog&)> whileShown;
    int modalRuns = 0;
    int otherCalls = 0;

    tessnivar::MessageAnswer showMessage(const QString&, const QString&, tessnivar::MessageIcon,
                                         tessnivar::MessageButtons) override {
        ++otherCalls;
        return tessnivar::MessageAnswer::Ok;
    }
    std::optional<QString> askSaveFileName(const QString&, const QString&) override {
        ++otherCalls;
        return std::nullopt;
    }
    std::unique_ptr<tessnivar::ReportPrinter> openDefaultPrinter() override {
        ++otherCalls;
        return nullptr;
    }
    void runModal(QDialog& dialog) override {
        ++modalRuns;
        dialog.show();
        if (whileShown) {
            whileShown(dialog);
        }
    }
    void endProgram() override { ++otherCalls; }
};

template <typename T> T* Child(const QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

// Closed About windows delete themselves later; this lets that happen without an event loop.
void DeletePendingWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int AboutWindowsAlive() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<frmAbout*>(widget) != nullptr ? 1 : 0;
    }
    return count;
}

int PixelsOfColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

enum class CloseWay { OkClicked, Return, Enter, Space, Escape, CloseBox };

} // namespace

class TestAboutWindow : public QObject {
    Q_OBJECT

private slots:
    void cleanup();

    void windowHasCaptionIconAndFixedSizeFromTwips();
    void opensCentredOnTheScreen();
    void controlsStandWhereTheTwipsTablePutsThem_data();
    void controlsStandWhereTheTwipsTablePutsThem();
    void controlsCarryTheirTextsAndFonts_data();
    void controlsCarryTheirTextsAndFonts();
    void labelsDrawTheirTextColourOnCyan_data();
    void labelsDrawTheirTextColourOnCyan();
    void labelsAreCentredAndNeverTakeTheFocus();
    void label3WrapsOntoItsSecondLineAndLabel4FitsOnOne();
    void webAddressIsPlainTextUnderAnExampleDomain();
    void pictureShowsTheProgramIconAtItsOwnSize();
    void okHasTheFocusAndIsTheDefaultButton();
    void eachWayOfClosingDestroysTheWindow_data();
    void eachWayOfClosingDestroysTheWindow();
    void eachAboutCommandShowsAFreshWindow();
    void mainWindowTakesNoInputWhileAboutIsOpen();
};

void TestAboutWindow::cleanup() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<frmAbout*>(widget) != nullptr) {
            widget->close();
        }
    }
    DeletePendingWindows();
}

void TestAboutWindow::windowHasCaptionIconAndFixedSizeFromTwips() {
    auto* about = new frmAbout;
    QCOMPARE(about->objectName(), QStringLiteral("frmAbout"));
    QCOMPARE(about->windowTitle(), QStringLiteral("About Tessnivar"));
    QCOMPARE(about->minimumSize(), QSize(312, 213));
    QCOMPARE(about->maximumSize(), QSize(312, 213));
    QCOMPARE(about->windowIcon().pixmap(QSize(32, 32)).toImage(),
             tessnivar::ProgramIcon().pixmap(QSize(32, 32)).toImage());
    QCOMPARE(about->windowModality(), Qt::ApplicationModal);
    about->show();
    QCOMPARE(about->size(), QSize(312, 213));
    QCOMPARE(about->grab().toImage().pixel(1, 1), qRgb(0, 255, 255));
    QCOMPARE(about->grab().toImage().pixel(311, 212), qRgb(0, 255, 255));
}

void TestAboutWindow::opensCentredOnTheScreen() {
    auto* about = new frmAbout;
    about->show();
    const QPoint offset =
        about->geometry().center() - about->screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 1,
             qPrintable(QStringLiteral("off centre by %1,%2").arg(offset.x()).arg(offset.y())));
}

void TestAboutWindow::controlsStandWhereTheTwipsTablePutsThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::newRow("Image1") << "Image1" << QRect(24, 16, 32, 32);
    QTest::newRow("Label1") << "Label1" << QRect(104, 8, 201, 33);
    QTest::newRow("Label2") << "Label2" << QRect(160, 48, 81, 41);
    QTest::newRow("Label3") << "Label3" << QRect(8, 96, 297, 33);
    QTest::newRow("Label4") << "Label4" << QRect(0, 136, 313, 25);
    QTest::newRow("cmdOK") << "cmdOK" << QRect(112, 168, 81, 33);
}

void TestAboutWindow::controlsStandWhereTheTwipsTablePutsThem() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    auto* about = new frmAbout;
    about->show();
    const auto* control = about->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), pixels);
}

void TestAboutWindow::controlsCarryTheirTextsAndFonts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("family");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("Label1") << "Label1"
                            << "Tessnivar"
                            << "Comic Sans MS" << 18.0 << false << false;
    QTest::newRow("Label2") << "Label2"
                            << "V 1.0"
                            << "Comic Sans MS" << 24.0 << false << false;
    QTest::newRow("Label3") << "Label3"
                            << "Created by Brolwick.  For the latest version check the web at"
                            << "Comic Sans MS" << 9.75 << false << false;
    QTest::newRow("Label4") << "Label4"
                            << "www.example.com/tessnivar"
                            << "MS Sans Serif" << 12.0 << true << true;
    QTest::newRow("cmdOK") << "cmdOK"
                           << "OK"
                           << "Comic Sans MS" << 9.75 << true << false;
}

void TestAboutWindow::controlsCarryTheirTextsAndFonts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, family);
    QFETCH(qreal, points);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    auto* about = new frmAbout;
    const auto* control = about->findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    const auto* label = qobject_cast<const QLabel*>(control);
    const auto* button = qobject_cast<const QAbstractButton*>(control);
    QCOMPARE(label != nullptr ? label->text() : button->text(), text);
    QCOMPARE(control->font().family(), family);
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
    QCOMPARE(control->font().italic(), italic);
}

void TestAboutWindow::labelsDrawTheirTextColourOnCyan_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("colour");
    QTest::newRow("Label1 light red") << "Label1" << qRgb(255, 128, 128);
    QTest::newRow("Label2 light red") << "Label2" << qRgb(255, 128, 128);
    QTest::newRow("Label3 blue") << "Label3" << qRgb(0, 0, 255);
    QTest::newRow("Label4 yellow") << "Label4" << qRgb(255, 255, 0);
}

void TestAboutWindow::labelsDrawTheirTextColourOnCyan() {
    QFETCH(QString, name);
    QFETCH(QRgb, colour);
    auto* about = new frmAbout;
    about->show();
    const auto* label = about->findChild<QLabel*>(name);
    QVERIFY(label != nullptr);
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 255, 255));
    const QImage image = about->grab().toImage();
    const QRect area = label->geometry() & image.rect();
    QVERIFY(PixelsOfColour(image, area, colour) > 0);
    const int cyan = PixelsOfColour(image, area, qRgb(0, 255, 255));
    QVERIFY2(cyan > area.width() * area.height() / 2, "the label's ground is not cyan");
}

void TestAboutWindow::labelsAreCentredAndNeverTakeTheFocus() {
    auto* about = new frmAbout;
    const QList<QLabel*> labels = about->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 5);
    for (const QLabel* label : labels) {
        QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        if (label->objectName() != QStringLiteral("Image1")) {
            QVERIFY2(label->alignment() & Qt::AlignHCenter, qPrintable(label->objectName()));
        }
    }
    QCOMPARE(about->findChildren<QAbstractButton*>().size(), 1);
}

void TestAboutWindow::label3WrapsOntoItsSecondLineAndLabel4FitsOnOne() {
    auto* about = new frmAbout;
    const auto* label3 = Child<QLabel>(*about, "Label3");
    const auto* label4 = Child<QLabel>(*about, "Label4");
    QVERIFY(label3->wordWrap());
    const QFontMetrics metrics3(label3->font());
    const QRect wrapped = metrics3.boundingRect(
        QRect(0, 0, label3->width(), 1000), Qt::TextWordWrap | Qt::AlignHCenter, label3->text());
    QVERIFY2(wrapped.height() > metrics3.lineSpacing(), "Label3 does not wrap");
    QVERIFY2(wrapped.height() <= label3->height(), "Label3's second line is cut off");
    QVERIFY(!label4->wordWrap());
    QVERIFY2(QFontMetrics(label4->font()).horizontalAdvance(label4->text()) <= label4->width(),
             "the web address is wider than its label");
}

void TestAboutWindow::webAddressIsPlainTextUnderAnExampleDomain() {
    auto* about = new frmAbout;
    const auto* label4 = Child<QLabel>(*about, "Label4");
    QCOMPARE(label4->textFormat(), Qt::PlainText);
    QCOMPARE(label4->textInteractionFlags(), Qt::NoTextInteraction);
    QVERIFY(!label4->openExternalLinks());
    const QString host = QUrl::fromUserInput(label4->text()).host();
    QVERIFY2(host == QStringLiteral("example.com") || host.endsWith(QStringLiteral(".example.com")),
             qPrintable(host));
}

void TestAboutWindow::pictureShowsTheProgramIconAtItsOwnSize() {
    auto* about = new frmAbout;
    const auto* image1 = Child<QLabel>(*about, "Image1");
    QCOMPARE(image1->frameShape(), QFrame::NoFrame);
    QVERIFY(!image1->hasScaledContents());
    const QImage shown = image1->pixmap().toImage();
    QCOMPARE(shown.size(), QSize(32, 32));
    QCOMPARE(shown, tessnivar::ProgramIconPicture().toImage());
}

void TestAboutWindow::okHasTheFocusAndIsTheDefaultButton() {
    auto* about = new frmAbout;
    auto* ok = Child<QPushButton>(*about, "cmdOK");
    QVERIFY(ok->isDefault());
    QVERIFY(ok->focusPolicy() & Qt::TabFocus);
    QStringList chain;
    for (QWidget* next = about->nextInFocusChain(); next != about;
         next = next->nextInFocusChain()) {
        chain << next->objectName();
    }
    QCOMPARE(chain, (QStringList{"Image1", "Label1", "Label2", "Label3", "Label4", "cmdOK"}));
    about->show();
    QCOMPARE(about->focusWidget(), ok);
}

void TestAboutWindow::eachWayOfClosingDestroysTheWindow_data() {
    QTest::addColumn<CloseWay>("way");
    QTest::newRow("OK clicked") << CloseWay::OkClicked;
    QTest::newRow("Return") << CloseWay::Return;
    QTest::newRow("keypad Enter") << CloseWay::Enter;
    QTest::newRow("Space on OK") << CloseWay::Space;
    QTest::newRow("Esc") << CloseWay::Escape;
    QTest::newRow("close box") << CloseWay::CloseBox;
}

void TestAboutWindow::eachWayOfClosingDestroysTheWindow() {
    QFETCH(CloseWay, way);
    ScriptedServices services;
    QPointer<QDialog> shown;
    bool hiddenAtOnce = false;
    bool keysReachOk = false;
    services.whileShown = [&](QDialog& dialog) {
        shown = &dialog;
        keysReachOk = dialog.focusWidget() == Child<QPushButton>(dialog, "cmdOK");
        QWidget* focus = keysReachOk ? dialog.focusWidget() : &dialog;
        switch (way) {
        case CloseWay::OkClicked:
            QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
            break;
        case CloseWay::Return:
            QTest::keyClick(focus, Qt::Key_Return);
            break;
        case CloseWay::Enter:
            QTest::keyClick(focus, Qt::Key_Enter, Qt::KeypadModifier);
            break;
        case CloseWay::Space:
            QTest::keyClick(focus, Qt::Key_Space);
            break;
        case CloseWay::Escape:
            QTest::keyClick(focus, Qt::Key_Escape);
            break;
        case CloseWay::CloseBox:
            dialog.windowHandle()->close();
            break;
        }
        hiddenAtOnce = shown.isNull() || !shown->isVisible();
    };
    tessnivar::ShowAbout(services);
    QCOMPARE(services.modalRuns, 1);
    QVERIFY(keysReachOk);
    QVERIFY(hiddenAtOnce);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    DeletePendingWindows();
    QVERIFY(shown.isNull());
    QCOMPARE(AboutWindowsAlive(), 0);
    QCOMPARE(services.otherCalls, 0);
}

void TestAboutWindow::eachAboutCommandShowsAFreshWindow() {
    ScriptedServices services;
    QList<QPointer<QDialog>> shown;
    QStringList captions;
    QList<int> aliveWhileShown;
    services.whileShown = [&](QDialog& dialog) {
        shown << &dialog;
        captions << dialog.windowTitle() + QLatin1Char('|') +
                        Child<QLabel>(dialog, "Label1")->text();
        aliveWhileShown << AboutWindowsAlive();
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    };
    QCOMPARE(AboutWindowsAlive(), 0);
    tessnivar::ShowAbout(services);
    DeletePendingWindows();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].isNull());
    tessnivar::ShowAbout(services);
    QCOMPARE(shown.size(), 2);
    QVERIFY(!shown[1].isNull());
    DeletePendingWindows();
    QVERIFY(shown[1].isNull());
    QCOMPARE(aliveWhileShown, (QList<int>{1, 1}));
    QCOMPARE(captions[0], QStringLiteral("About Tessnivar|Tessnivar"));
    QCOMPARE(captions[1], captions[0]);
}

void TestAboutWindow::mainWindowTakesNoInputWhileAboutIsOpen() {
    QMainWindow main;
    QAction* menuCommand = main.menuBar()->addAction(QStringLiteral("&About"));
    auto* button = new QPushButton(QStringLiteral("Calculate"));
    main.setCentralWidget(button);
    int menuRuns = 0;
    int buttonClicks = 0;
    connect(menuCommand, &QAction::triggered, this, [&] { ++menuRuns; });
    connect(button, &QPushButton::clicked, this, [&] { ++buttonClicks; });
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const auto clickMainWindow = [&] {
        const QRect command = main.menuBar()->actionGeometry(menuCommand);
        QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {},
                          main.menuBar()->mapTo(&main, command.center()));
        QTest::mouseClick(main.windowHandle(), Qt::LeftButton, {},
                          button->mapTo(&main, button->rect().center()));
    };

    ScriptedServices services;
    QWidget* modalWhileShown = nullptr;
    int inputWhileShown = -1;
    services.whileShown = [&](QDialog& dialog) {
        modalWhileShown = QApplication::activeModalWidget();
        QCOMPARE(modalWhileShown, &dialog);
        clickMainWindow();
        inputWhileShown = menuRuns + buttonClicks;
        QTest::mouseClick(Child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    };
    tessnivar::ShowAbout(services);
    DeletePendingWindows();
    QVERIFY(modalWhileShown != nullptr);
    QCOMPARE(inputWhileShown, 0);

    clickMainWindow();
    QCOMPARE(menuRuns, 1);
    QCOMPARE(buttonClicks, 1);
}

QTEST_MAIN(TestAboutWindow)
#include "test_about_window.moc"
