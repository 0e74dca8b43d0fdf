#pragma once

#include "print_progress.h"
#include "report_printer.h"
#include "services.h"

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

namespace tessnivar {

// Services answered by script: message boxes return queued answers (OK, or No, when none is
// queued), Save As returns queued names (a cancel when none is queued), the print progress window
// is cancelled once page cancelAfterPage is done (never when 0); what is asked is recorded.
class ScriptedServices final : public Services {
public:
    // Each message shown, as "title: text".
    QStringList messages;
    std::deque<MessageAnswer> answers;
    std::deque<std::optional<QString>> fileNames;
    QStringList askedFilters;
    QStringList offeredNames;
    std::function<std::unique_ptr<ReportPrinter>()> printer;
    int cancelAfterPage = 0;
    int endProgramCalls = 0;

    MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon,
                              MessageButtons buttons) override {
        messages << title + ": " + text;
        return answers.empty()
                   ? (buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No)
                   : take(answers);
    }
    std::optional<QString> askSaveFileName(const QString& nameFilter,
                                           const QString& offeredName) override {
        askedFilters << nameFilter;
        offeredNames << offeredName;
        return fileNames.empty() ? std::nullopt : take(fileNames);
    }
    std::unique_ptr<ReportPrinter> openDefaultPrinter() override {
        return printer ? printer() : nullptr;
    }
    std::unique_ptr<PrintProgress> showPrintProgress() override {
        struct Progress final : PrintProgress {
            int cancelAfter;
            explicit Progress(int page) : cancelAfter(page) {}
            void start(int) override {}
            bool pagesDone(int done) override { return cancelAfter == 0 || done < cancelAfter; }
        };
        return std::make_unique<Progress>(cancelAfterPage);
    }
    void runModal(QDialog& dialog) override { dialog.close(); }
    void endProgram() override { ++endProgramCalls; }

private:
    template <typename T> static T take(std::deque<T>& queue) {
        T front = queue.front();
        queue.pop_front();
        return front;
    }
};

} // namespace tessnivar
