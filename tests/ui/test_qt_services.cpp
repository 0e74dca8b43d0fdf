// The program's own services through the real Qt components on a real display (run under Xvfb):
// message box, Save As dialog, print progress window, modal window and the end of the program.
#include "about_dialog.h"
#include "print_progress.h"
#include "qt_services.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace tessnivar;

namespace {

// Acts on the first widget of type W that is shown, from inside the event loop that shows it, as
// a user would once it is on the screen.
template <typename W> class OnShow : public QObject {
public:
    explicit OnShow(std::function<void(W&)> act) : act_(std::move(act)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<W*>(watched);
        if (widget && event->type() == QEvent::Show && !acted_) {
            acted_ = true;
            QMetaObject::invokeMethod(
                widget, [this, widget] { act_(*widget); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void(W&)> act_;
    bool acted_ = false;
};

} // namespace

class QtServicesTest : public QObject {
    Q_OBJECT

    QtServices services_;

private slots:
    void messageBoxShowsLinesTitleIconAndReturnsTheButtonPressed() {
        QString text;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        OnShow<QMessageBox> answer([&](QMessageBox& box) {
            text = box.text();
            title = box.windowTitle();
            icon = box.icon();
            box.button(QMessageBox::Yes)->click();
        });
        QCOMPARE(services_.showMessage("first line\r\nsecond line", "Choose format",
                                       MessageIcon::Question, MessageButtons::YesNo),
                 MessageAnswer::Yes);
        QCOMPARE(text, "first line\nsecond line");
        QCOMPARE(title, "Choose format");
        QCOMPARE(icon, QMessageBox::Question);
    }

    void saveAsOffersTheLastNameAsksBeforeReplacingAndReturnsTheChosenOne() {
        const QTemporaryDir dir;
        const QString offered = QDir(dir.path()).filePath("earlier.txt");
        const QString chosen = QDir(dir.path()).filePath("plan.txt");
        QStringList filters;
        QStringList preselected;
        OnShow<QFileDialog> choose([&](QFileDialog& dialog) {
            filters = dialog.nameFilters();
            preselected = dialog.selectedFiles();
            dialog.selectFile(chosen);
            static_cast<QDialog&>(dialog).accept(); // QFileDialog::accept, as the Save button does
        });
        QCOMPARE(services_.askSaveFileName("Plain Text Files (*.txt);;All Files (*.*)", offered),
                 std::optional(chosen));
        QCOMPARE(filters, (QStringList{"Plain Text Files (*.txt)", "All Files (*.*)"}));
        QCOMPARE(preselected, QStringList{offered});

        // Qt's own question before a file is replaced, about the file written: for CSV, with
        // ".csv"; No leaves the dialog open, here to be cancelled.
        QVERIFY(QFile(chosen + ".csv").open(QIODevice::WriteOnly));
        QString question;
        OnShow<QFileDialog> cancel([&](QFileDialog& dialog) {
            OnShow<QMessageBox> no([&](QMessageBox& box) {
                question = box.text();
                box.button(QMessageBox::No)->click();
            });
            dialog.selectFile(chosen);
            static_cast<QDialog&>(dialog).accept();
            dialog.reject();
        });
        QCOMPARE(services_.askSaveFileName("Comma Separated Values (*.csv)", QString()),
                 std::optional<QString>());
        QVERIFY2(question.startsWith("plan.txt.csv already exists."), qPrintable(question));
    }

    void printProgressCountsPagesAndReportsCancel() {
        const auto progress = services_.showPrintProgress();
        progress->start(3);
        QVERIFY(progress->pagesDone(1));
        QProgressDialog* dialog = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            dialog = dialog ? dialog : qobject_cast<QProgressDialog*>(window);
        QVERIFY(dialog);
        QCOMPARE(dialog->labelText(), "Printed 1 of 3 pages");
        QCOMPARE(dialog->maximum(), 3);
        QCOMPARE(dialog->value(), 1);
        dialog->cancel();
        QVERIFY(!progress->pagesDone(2));
    }

    void modalWindowRunsUntilItIsClosed() {
        QWidget* modal = nullptr;
        OnShow<AboutDialog> close([&](AboutDialog& about) {
            modal = QApplication::activeModalWidget();
            about.findChild<QPushButton*>("okButton")->click();
        });
        auto* about = new AboutDialog;
        services_.runModal(*about);
        QVERIFY(modal != nullptr);
        QCOMPARE(modal->objectName(), "AboutDialog");
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
