#pragma once

#include "services.h"

namespace tessnivar {

// The services as Qt gives them: QMessageBox, QFileDialog, the default QPrinter, QDialog::exec.
class QtServices final : public Services {
public:
    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override;
    std::optional<QString> askSaveFileName(const QString& nameFilter,
                                           const QString& offeredName) override;
    std::unique_ptr<ReportPrinter> openDefaultPrinter() override;
    void runModal(QDialog& dialog) override;
    void endProgram() override;
};

} // namespace tessnivar
