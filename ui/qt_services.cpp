#include "qt_services.h"

#include "default_printer.h"
#include "qt_print_progress.h"

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
    // Replacing an existing file is the writers' documented behaviour, so no overwrite question.
    const QString chosen =
        QFileDialog::getSaveFileName(QApplication::activeWindow(), QString(), offeredName,
                                     nameFilter, nullptr, QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
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
