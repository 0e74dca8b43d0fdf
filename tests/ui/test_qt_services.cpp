// The program's own services through the real Qt components on a real display (run under Xvfb):
// message box, Save As with Qt's question before a file is replaced, print progress window, the
// About window run modally, and the end of the program.
#include "about_dialog.h"
#include "planner_window.h"
#include "print_progress.h"
#include "qt_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace tessnivar;

namespace {

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

class QtServicesTest : public QObject {
    Q_OBJECT

    QtServices services_;

private slots:
    void messageBoxShowsLinesTitleIconAndReturnsTheButtonPressed() {
        QStringList seen;
        OnShow<QMessageBox> answer([&](QMessageBox& box) {
            seen << box.windowTitle() << box.text() << QString::number(box.icon());
            box.button(QMessageBox::Yes)->click();
        });
        QCOMPARE(services_.showMessage("first\r\nsecond", "Choose format", MessageIcon::Question,
                                       MessageButtons::YesNo),
                 MessageAnswer::Yes);
        QCOMPARE(seen, (QStringList{"Choose format", "first\nsecond",
                                    QString::number(QMessageBox::Question)}));
    }

    void saveAsOffersTheNameAndAsksBeforeReplacingTheFileWritten() {
        const QTemporaryDir dir;
        const QString chosen = QDir(dir.path()).filePath("plan.txt");
        QStringList seen;
        {
            OnShow<QFileDialog> choose([&](QFileDialog& dialog) {
                seen << dialog.nameFilters() << dialog.selectedFiles();
                dialog.selectFile(chosen);
                static_cast<QDialog&>(dialog).accept(); // QFileDialog::accept, as Save does
            });
            QCOMPARE(services_.askSaveFileName("Text (*.txt);;All (*.*)", chosen + ".old"), chosen);
        }
        QCOMPARE(seen, (QStringList{"Text (*.txt)", "All (*.*)", chosen + ".old"}));
        // For CSV the question is about the name with ".csv"; No keeps the dialog open.
        QVERIFY(QFile(chosen + ".csv").open(QIODevice::WriteOnly));
        QString question;
        OnShow<QMessageBox> no([&](QMessageBox& box) {
            question = box.text();
            box.button(QMessageBox::No)->click();
        });
        OnShow<QFileDialog> cancel([&](QFileDialog& dialog) {
            dialog.selectFile(chosen);
            static_cast<QDialog&>(dialog).accept();
            dialog.reject();
        });
        QCOMPARE(services_.askSaveFileName("Comma Separated Values (*.csv)", {}), std::nullopt);
        QVERIFY2(question.startsWith("plan.txt.csv already exists."), qPrintable(question));
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
