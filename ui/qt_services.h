#pragma once

#include "services.h"

namespace tessnivar {

// The services as Qt gives them: QMessageBox, QFileDialog, the default QPrinter with a
// QProgressDialog, QDialog::exec.
class QtServices final : public Services {
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override;
    std::optional<QString> askSaveFileName(const QString& nameFilter,
                                           const QString& offeredName) override;
    std::unique_ptr<ReportPrinter> openDefaultPrinter() override;
    std::unique_ptr<PrintProgress> showPrintProgress() override;
    void runModal(QDialog& dialog) override;
    void endProgram() override;
};

} // namespace tessnivar
