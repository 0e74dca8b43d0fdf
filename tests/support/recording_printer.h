#pragma once

#include "report_printer.h"

#include <QStringList>

namespace tessnivar {

// Records every call as one entry; printLine fails from the failAtLine-th line on (counting
// from 1), endDocument when told.
class RecordingPrinter : public ReportPrinter {
public:
    QStringList calls;
    int failAtLine = 0;
    bool failEnd = false;

    void setFontSize(float points) override { calls << "size " + QString::number(points); }
    void setBold(bool on) override { calls << (on ? "bold on" : "bold off"); }
    void setItalic(bool on) override { calls << (on ? "italic on" : "italic off"); }
    bool printLine(const QString& text) override {
        calls << "line " + text;
        return failAtLine == 0 || ++lines_ < failAtLine;
    }
    bool endDocument() override {
        calls << "end";
        return !failEnd;
    }
    void abandon() override { calls << "abandon"; }

private:
    int lines_ = 0;
};

} // namespace tessnivar
