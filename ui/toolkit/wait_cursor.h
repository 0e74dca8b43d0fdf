#pragma once

#include <QGuiApplication>

namespace tessnivar {

// Shows the wait cursor (or another shape) for as long as it lives.
class WaitCursor {
public:
    explicit WaitCursor(Qt::CursorShape shape = Qt::WaitCursor) {
        QGuiApplication::setOverrideCursor(shape);
    }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Runs work under the wait cursor (or shape) and returns its result; the cursor is back before
// the caller shows anything about that result.
template <typename Work> auto UnderWaitCursor(Work work, Qt::CursorShape shape = Qt::WaitCursor) {
    const WaitCursor wait(shape);
    return work();
}

} // namespace tessnivar
