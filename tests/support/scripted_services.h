#pragma once

#include "print_progress.h"
#include "report_printer.h"
#include "services.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace tessnivar {

// Services answered by script: message boxes return queued answers (OK when none is queued), the
// Save As dialog returns queued names (a cancel when none is queued), and everything asked is
// recorded for the test to read.
class ScriptedServices final : public Services {
public:
    struct Message {
        QString text;
        QString title;
        MessageIcon icon;
        MessageButtons buttons;
    };

    std::vector<Message> messages;
    std::deque<MessageAnswer> answers;

    std::deque<std::optional<QString>> fileNames;
    QStringList askedFilters;
    QStringList offeredNames;

    std::function<std::unique_ptr<ReportPrinter>()> printer;
    // What the print progress window was told: "start N" and "done K"; it is cancelled once the
    // cancelAfterPage-th page is done (never when 0).
    QStringList progress;
    int cancelAfterPage = 0;
    // Runs while a modal window is open; the window is open and modal meanwhile.
    std::function<void(QDialog&)> whileModal;
    int modalRuns = 0;
    int endProgramCalls = 0;

    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (answers.empty())
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::optional<QString> askSaveFileName(const QString& nameFilter,
                                           const QString& offeredName) override {
        askedFilters << nameFilter;
        offeredNames << offeredName;
        if (fileNames.empty())
            return std::nullopt;
        const auto name = fileNames.front();
        fileNames.pop_front();
        return name;
    }

    std::unique_ptr<ReportPrinter> openDefaultPrinter() override {
        return printer ? printer() : nullptr;
    }

    std::unique_ptr<PrintProgress> showPrintProgress() override {
        struct Progress final : PrintProgress {
            ScriptedServices& services;
            explicit Progress(ScriptedServices& s) : services(s) {}
            void start(int pages) override {
                services.progress << "start " + QString::number(pages);
            }
            bool pagesDone(int done) override {
                services.progress << "done " + QString::number(done);
                return services.cancelAfterPage == 0 || done < services.cancelAfterPage;
            }
        };
        return std::make_unique<Progress>(*this);
    }

    void runModal(QDialog& dialog) override {
        ++modalRuns;
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.open();
        if (whileModal)
            whileModal(dialog);
        dialog.close();
    }

    void endProgram() override { ++endProgramCalls; }
};

} // namespace tessnivar
