#pragma once

#include "print_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace tessnivar {

// The progress window of a document being printed: "Printed 12 of 329 pages" and a Cancel
// button, modal over the active window. It appears only once printing has gone on for longer
// than a moment, and while it shows, each completed page lets the windows repaint and Cancel be
// pressed.
class QtPrintProgress final : public PrintProgress {
    Q_DECLARE_TR_FUNCTIONS(QtPrintProgress)

public:
    QtPrintProgress();

    void start(int pages) override;
    [[nodiscard]] bool pagesDone(int done) override;

private:
    QProgressDialog dialog_;
    int pages_ = 0;
};

} // namespace tessnivar
