#pragma once

namespace tessnivar {

// Told how far a document has got while it prints, and asked whether to go on.
class PrintProgress {
public:
    virtual ~PrintProgress() = default;

    // The document fills pages pages; comes once, before the first line is printed.
    virtual void start(int pages) = 0;
    // done pages are complete; false when the user wants the document abandoned.
    [[nodiscard]] virtual bool pagesDone(int done) = 0;
};

} // namespace tessnivar
