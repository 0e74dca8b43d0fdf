#pragma once

#include "print_progress.h"
#include "report_printer.h"

#include <QStringList>
#include <algorithm>

namespace tessnivar {

// Records every call as one entry. Pages hold linesPerPage lines (0: one page for everything).
// printLine fails from the failAtLine-th line on (counting from 1).
struct RecordingPrinter : ReportPrinter {
    QStringList calls;
    int linesPerPage, failAtLine;

    explicit RecordingPrinter(int linesPerPage = 0, int failAtLine = 0)
        : linesPerPage(linesPerPage), failAtLine(failAtLine) {}

    void setFontSize(float points) override { calls << "size " + QString::number(points); }
    void setBold(bool on) override { calls << (on ? "bold on" : "bold off"); }
    void setItalic(bool on) override { calls << (on ? "italic on" : "italic off"); }
    bool printLine(std::string_view text) override {
        calls << "line " + QString::fromUtf8(text.data(), qsizetype(text.size()));
        return ++lines_ < failAtLine || failAtLine == 0;
    }
    bool endDocument() override {
        calls << "end";
        return true;
    }
    void abandon() override { calls << "abandon"; }
    int pagesBegun() const override {
        return linesPerPage == 0 ? std::min(lines_, 1) : (lines_ + linesPerPage - 1) / linesPerPage;
    }
    std::unique_ptr<ReportPrinter> layoutOnly() const override {
        return std::make_unique<RecordingPrinter>(linesPerPage);
    }

private:
    int lines_ = 0;
};

// Records what it is told and asks to stop once cancelAfter pages are done (never when 0).
struct RecordingProgress final : PrintProgress {
    QStringList told;
    int cancelAfter;

    explicit RecordingProgress(int cancelAfter = 0) : cancelAfter(cancelAfter) {}

    void start(int pages) override { told << "start " + QString::number(pages); }
    bool pagesDone(int done) override {
        told << "done " + QString::number(done);
        return cancelAfter == 0 || done < cancelAfter;
    }
};

} // namespace tessnivar
