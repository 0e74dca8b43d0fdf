#include "qt_print_progress.h"

#include <QApplication>

namespace tessnivar {

namespace {

// Shorter documents print without the window flashing up.
constexpr int kShowAfterMilliseconds = 400;

} // namespace

QtPrintProgress::QtPrintProgress()
    : dialog_(QString(), tr("Cancel"), 0, 1, QApplication::activeWindow()) {
    dialog_.setWindowTitle(tr("Print"));
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setMinimumDuration(kShowAfterMilliseconds);
    // It stays until the document is done or abandoned, even at its last page.
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
}

void QtPrintProgress::start(int pages) {
    pages_ = pages;
    dialog_.setRange(0, pages);
    dialog_.setLabelText(tr("Printed %1 of %2 pages").arg(0).arg(pages));
    // Starts the clock that shows the window.
    dialog_.setValue(0);
}

bool QtPrintProgress::pagesDone(int done) {
    dialog_.setLabelText(tr("Printed %1 of %2 pages").arg(done).arg(pages_));
    // Shows the window once its time has come; while it shows, this also handles pending events.
    dialog_.setValue(done);
    return !dialog_.wasCanceled();
}

} // namespace tessnivar
