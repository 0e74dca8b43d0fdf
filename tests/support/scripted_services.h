#pragma once

#include "recording_printer.h"
#include "services.h"

#include <QDialog>
#include <QStringList>
#include <functional>

namespace tessnivar {

// Services answered by script: message boxes return queued answers (OK, or No, when none is
// queued), Save As returns queued names (a cancel when none is queued), the print progress window
// is cancelled once page cancelAfterPage is done (never when 0); what is asked is recorded.
struct ScriptedServices final : Services {
    // Each message shown, as "title: text", and each name Save As offered.
    QStringList messages, offeredNames;
    QList<MessageAnswer> answers;
    QList<std::optional<QString>> fileNames;
    std::function<std::unique_ptr<ReportPrinter>()> printer;
    int cancelAfterPage = 0, endProgramCalls = 0;

    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon,
                              MessageButtons buttons) override {
        messages << title + ": " + text;
        if (answers.isEmpty())
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
        return answers.takeFirst();
    }
    std::optional<QString> askSaveFileName(const QString&, const QString& offeredName) override {
        offeredNames << offeredName;
        return fileNames.isEmpty() ? std::nullopt : fileNames.takeFirst();
    }
    std::unique_ptr<ReportPrinter> openDefaultPrinter() override {
        return printer ? printer() : nullptr;
    }
    std::unique_ptr<PrintProgress> showPrintProgress() override {
        return std::make_unique<RecordingProgress>(cancelAfterPage);
    }
    void runModal(QDialog& dialog) override { dialog.close(); }
    void endProgram() override { ++endProgramCalls; }
};

} // namespace tessnivar
