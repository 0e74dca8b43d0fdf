#pragma once

#include <QGuiApplication>

namespace tessnivar {

// Shows the wait cursor for as long as it lives.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// Runs work under the wait cursor and returns its result; the cursor is back before the caller
// shows anything about that result.
template <typename Work> auto UnderWaitCursor(Work work) {
    const WaitCursor wait;
    return work();
}

} // namespace tessnivar
