#pragma once

#include <QString>
#include <memory>
#include <optional>

class QDialog;

namespace tessnivar {

class PrintProgress;
class ReportPrinter;

enum class MessageIcon { None, Critical, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The modal and outside things the main window reaches: message boxes, the Save As dialog, the
// printer and its progress window, modal windows and ending the program. The program uses the Qt
// ones; tests give a scripted one that answers and records.
class Services {
public:
    virtual ~Services() = default;

    // Modal message box; text lines are split by CR LF. Returns the button chosen.
    virtual MessageAnswer showMessage(const QString& text, const QString& title, MessageIcon icon,
                                      MessageButtons buttons) = 0;

    // Modal Save As dialog with a Qt name filter ("Text (*.txt);;All (*)") and the name it offers
    // first. Returns the chosen full file name, or nullopt when the user cancels.
    virtual std::optional<QString> askSaveFileName(const QString& nameFilter,
                                                   const QString& offeredName) = 0;

    // The default printer ready for one document, or nullptr when there is none.
    virtual std::unique_ptr<ReportPrinter> openDefaultPrinter() = 0;

    // Follows a document while it prints: a modal window with the pages done and a Cancel
    // button, shown once printing has taken longer than a moment; gone when it is destroyed.
    virtual std::unique_ptr<PrintProgress> showPrintProgress() = 0;

    // Shows dialog modally and returns once it is closed.
    virtual void runModal(QDialog& dialog) = 0;

    // Ends the program at once: every window goes, nothing is asked or saved.
    virtual void endProgram() = 0;
};

} // namespace tessnivar
