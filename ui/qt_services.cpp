#include "qt_services.h"

#include "default_printer.h"
#include "qt_print_progress.h"
#include "report_files.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace tessnivar {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Save As with Qt's own question before an existing file is replaced. The CSV writer appends
// ".csv" to the chosen name (CsvFileName), so a dialog for CSV files only takes that name before
// it asks; Qt's widget dialog is used there, since a native one would ask about the name typed.
class SaveAsDialog : public QFileDialog {
public:
    SaveAsDialog(const QString& nameFilter, const QString& offeredName)
        : QFileDialog(QApplication::activeWindow(), QString(), offeredName, nameFilter),
          csvOnly_(nameFilter.endsWith(QLatin1String("(*.csv)")) &&
                   !nameFilter.contains(QLatin1String(";;"))) {
        setAcceptMode(AcceptSave);
        setFileMode(AnyFile);
        setOption(DontUseNativeDialog, csvOnly_);
    }

    void accept() override {
        const QStringList chosen = selectedFiles();
        if (csvOnly_ && !chosen.isEmpty() && !chosen.first().isEmpty())
            selectFile(CsvFileName(chosen.first()));
        QFileDialog::accept();
    }

private:
    bool csvOnly_;
};

} // namespace

MessageAnswer QtServices::showMessage(const QString& text, const QString& title, MessageIcon icon,
                                      MessageButtons buttons) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToQt(icon), title, shown,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

std::optional<QString> QtServices::askSaveFileName(const QString& nameFilter,
                                                   const QString& offeredName) {
    SaveAsDialog dialog(nameFilter, offeredName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().value(0).isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first();
}

std::unique_ptr<ReportPrinter> QtServices::openDefaultPrinter() {
    return OpenDefaultPrinter();
}

std::unique_ptr<PrintProgress> QtServices::showPrintProgress() {
    return std::make_unique<QtPrintProgress>();
}

void QtServices::runModal(QDialog& dialog) {
    dialog.exec();
}

void QtServices::endProgram() {
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

} // namespace tessnivar
